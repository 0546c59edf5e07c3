#pragma once
#include <QDialog>

namespace tandemx {

// "Verantwoording": product, version and the maker's address.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace tandemx
