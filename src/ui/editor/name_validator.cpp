#include "ui/editor/name_validator.h"

#include "data/text_codec.h"

namespace korvland {

QValidator::State NameValidator::validate(QString& input, int& /*position*/) const {
    for (char32_t codePoint : input.toUcs4())
        if (!isCp1252Encodable(codePoint))
            return Invalid;
    return Acceptable;
}

} // namespace korvland
