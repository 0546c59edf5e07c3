#include "forms/TAboutBox.h"

#include "forms/TSplashForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tandemx {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Verantwoording"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setPixmap(tandemPicture(QSize(160, 80)));
    top->addWidget(picture, 0, Qt::AlignTop);
    auto* text = new QVBoxLayout;
    auto* product = new QLabel(QStringLiteral("<b>TandemX</b><br>Tennis Programma voor clubavonden"), this);
    product->setObjectName(QStringLiteral("ProductName"));
    auto* version = new QLabel(QStringLiteral("Versie 12.0"), this);
    version->setObjectName(QStringLiteral("Version"));
    auto* maker = new QLabel(QStringLiteral("Baanwerk Software\nNetlaan 12\n5611 TV Veldhoven\ninfo@baanwerk.example"), this);
    maker->setObjectName(QStringLiteral("Comments"));
    text->addWidget(product);
    text->addWidget(version);
    text->addWidget(maker);
    text->addStretch();
    top->addLayout(text);
    layout->addLayout(top);
    auto* ok = new QPushButton(QStringLiteral("O&k"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}

} // namespace tandemx
