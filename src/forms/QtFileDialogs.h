#pragma once
#include "state/Seams.h"

class QWidget;

namespace tandemx {

// The desktop file dialogs. The folder of the last chosen file is remembered.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    std::optional<QString> openFile(const Request& request) override;
    std::optional<QString> saveFile(const Request& request) override;

private:
    QWidget* parent_;
    QString folder_;
};

} // namespace tandemx
