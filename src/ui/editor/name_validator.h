#pragma once

#include <QValidator>

namespace korvland {

// Admits only text whose every character has a Windows-1252 byte, since a landmark
// name is stored in that code page.
class NameValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

} // namespace korvland
