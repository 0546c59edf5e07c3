#pragma once
// Refuses typed characters that the record files cannot store (no Windows-1252 code point).
#include "records/Cp1252.h"

#include <QValidator>

namespace tandemx {

class Cp1252Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override { return isCp1252(input) ? Acceptable : Invalid; }
};

} // namespace tandemx
