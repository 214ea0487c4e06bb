#include "ui/common/data_texts.h"

#include "data/landmark_kind.h"
#include "data/region.h"
#include "data/user_error.h"

#include <QByteArray>
#include <QCoreApplication>

#include <string>
#include <string_view>
#include <vector>

namespace korvland {

namespace {

QString translated(const char* context, std::string_view source) {
    // The tables' texts are literals; the copy gives the lookup its terminating zero all the same.
    const QByteArray key(source.data(), static_cast<qsizetype>(source.size()));
    return QCoreApplication::translate(context, key.constData());
}

// Filled in as UTF-8, as the layers without Qt keep their paths and names.
std::string translatedUtf8(const Message& message) {
    if (!message.translatable())
        return message.source();
    std::vector<std::string> arguments;
    arguments.reserve(message.arguments().size());
    for (const Message& argument : message.arguments())
        arguments.push_back(translatedUtf8(argument));
    return Message::fillPlaceholders(translated(kUserErrorContext, message.source()).toStdString(),
                                     arguments);
}

constexpr char kKindContext[] = "korvland::LandmarkKind";
constexpr char kRegionContext[] = "korvland::Region";

} // namespace

QString messageText(const Message& message) {
    return QString::fromStdString(translatedUtf8(message));
}

QString userErrorText(const UserError& error) {
    return QString::fromStdString(withClosingPeriod(translatedUtf8(error.message())));
}

QString kindLabelText(const KindInfo& kind) {
    return translated(kKindContext, kind.editorLabel);
}

QString kindHintPrefixText(const KindInfo& kind) {
    return translated(kKindContext, kind.hintPrefix);
}

QString regionMapCaptionText(int region) {
    return translated(kRegionContext, regionTexts(region).mapCaption);
}

QString regionLocationLineText(int region) {
    return translated(kRegionContext, regionTexts(region).locationLine);
}

} // namespace korvland
