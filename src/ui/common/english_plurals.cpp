#include "ui/common/english_plurals.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTranslator>

namespace korvland {

namespace {

class EnglishPlurals : public QTranslator {
  public:
    bool isEmpty() const override { return false; }

    QString translate(const char*, const char* sourceText, const char*, int n) const override {
        if (n < 0)
            return {};
        QString text = QString::fromUtf8(sourceText);
        // "(is|are)" picks one of two words.
        static const QRegularExpression choice(QStringLiteral("\\(([^()|]*)\\|([^()|]*)\\)"));
        if (!text.contains(QLatin1String("(s)")) && !text.contains(choice))
            return {};
        text.replace(choice, n == 1 ? QStringLiteral("\\1") : QStringLiteral("\\2"));
        return text.replace(QStringLiteral("(s)"), n == 1 ? QString() : QStringLiteral("s"));
    }
};

} // namespace

void installEnglishPlurals() {
    // Never a child of the application: removing the language's translations leaves it.
    static EnglishPlurals* const plurals = [] {
        auto* translator = new EnglishPlurals;
        QCoreApplication::installTranslator(translator);
        return translator;
    }();
    (void)plurals;
}

} // namespace korvland
