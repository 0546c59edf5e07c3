#include "forms/TAboutBox.h"

#include "forms/Icons.h"
#include "forms/TSplashForm.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tandemx {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Verantwoording"));
    setWindowIcon(appIcon());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);

    // The splash picture across the top, framed like a photograph.
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setPixmap(tandemPicture(QSize(360, 180)));
    picture->setFrameShape(QFrame::Box);
    picture->setLineWidth(1);
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture, 0, Qt::AlignHCenter);

    auto* product = new QLabel(
        QStringLiteral("<div style='font-size:16pt; font-weight:bold; color:#1f6b3a;'>TandemX</div>"
                       "<div>Tennis Programma TandemX</div>"
                       "<div style='color:#555;'>Dubbelschema's voor de clubavond</div>"),
        this);
    product->setObjectName(QStringLiteral("ProductName"));
    product->setAlignment(Qt::AlignCenter);
    layout->addWidget(product);

    auto* version = new QLabel(QStringLiteral("Versie 12.0"), this);
    version->setObjectName(QStringLiteral("Version"));
    version->setAlignment(Qt::AlignCenter);
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    layout->addWidget(version);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto* maker = new QLabel(QStringLiteral("Baanwerk Software\nNetlaan 12\n5611 TV Veldhoven\ninfo@baanwerk.example"), this);
    maker->setObjectName(QStringLiteral("Comments"));
    maker->setAlignment(Qt::AlignCenter);
    maker->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(maker);

    auto* ok = new QPushButton(QStringLiteral("O&k"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setMinimumWidth(90);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace tandemx
