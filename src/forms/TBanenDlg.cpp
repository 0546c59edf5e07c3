#include "forms/TBanenDlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace tandemx {

TBanenDlg::TBanenDlg(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), state_(state)
{
    setObjectName(QStringLiteral("TBanenDlg"));
    setWindowTitle(QStringLiteral("Coderen van banen"));

    baanLabel_ = new QLabel(QStringLiteral("Baan 1..5"), this);
    baanLabel_->setObjectName(QStringLiteral("BaanLabel"));
    baanCodeLabel_ = new QLabel(QStringLiteral("Baancode 1...5"), this);
    baanCodeLabel_->setObjectName(QStringLiteral("BaanCodelabel"));

    const int editWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16;
    baanEdit_ = new QLineEdit(QStringLiteral("1"), this);
    baanEdit_->setObjectName(QStringLiteral("BaanEdit"));
    baanEdit_->setFixedWidth(editWidth);
    // The position is chosen with the buttons; the number shown is never read back as a position.
    baanEdit_->setReadOnly(true);
    baanEdit_->setFocusPolicy(Qt::NoFocus);
    QPalette shown = baanEdit_->palette();
    shown.setColor(QPalette::Base, shown.color(QPalette::Window));
    baanEdit_->setPalette(shown);
    baanEdit_->setAlignment(Qt::AlignRight);
    baanCodeEdit_ = new QLineEdit(QStringLiteral("2"), this);
    baanCodeEdit_->setObjectName(QStringLiteral("BaanCodeEdit"));
    baanCodeEdit_->setFixedWidth(editWidth);
    baanCodeEdit_->setAlignment(Qt::AlignRight);
    baanLabel_->setBuddy(baanEdit_);
    baanCodeLabel_->setBuddy(baanCodeEdit_);

    nextBtn_ = new QPushButton(QStringLiteral("Baan +"), this);
    nextBtn_->setObjectName(QStringLiteral("NextBnBtn"));
    nextBtn_->setProperty("tag", 1);
    prevBtn_ = new QPushButton(QStringLiteral("Baan - "), this);
    prevBtn_->setObjectName(QStringLiteral("PrevBnBtn"));
    prevBtn_->setProperty("tag", -1);
    okBtn_ = new QPushButton(QStringLiteral("O&k"), this);
    okBtn_->setObjectName(QStringLiteral("BaanOkBtn"));
    okBtn_->setDefault(true);
    for (QPushButton* b : {nextBtn_, prevBtn_})
        b->setAutoDefault(false);
    connect(nextBtn_, &QPushButton::clicked, this, [this] { step(1); });
    connect(prevBtn_, &QPushButton::clicked, this, [this] { step(-1); });
    connect(okBtn_, &QPushButton::clicked, this, &TBanenDlg::accept);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(16);
    fields->setVerticalSpacing(6);
    fields->addWidget(baanLabel_, 0, 0);
    fields->addWidget(baanCodeLabel_, 0, 1);
    fields->addWidget(baanEdit_, 1, 0);
    fields->addWidget(baanCodeEdit_, 1, 1);
    fields->addWidget(prevBtn_, 2, 0);
    fields->addWidget(nextBtn_, 2, 1);
    fields->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn_);

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(16, 16, 16, 12);
    top->addLayout(fields);
    top->addSpacing(12);
    top->addStretch();
    top->addLayout(buttons);

    setTabOrder(baanCodeEdit_, nextBtn_);
    setTabOrder(nextBtn_, prevBtn_);
    setTabOrder(prevBtn_, okBtn_);
}

int TBanenDlg::courts() const
{
    return std::max<int>(1, state_.club.keyData().courts);
}

void TBanenDlg::prepare(int shownCourts)
{
    baanLabel_->setText(QStringLiteral("Baan: 1..") + QString::number(shownCourts));
    baanCodeLabel_->setText(QStringLiteral("Baan Codering: 1..") + QString::number(shownCourts));
    currentCourt_ = 1;
    baanEdit_->setText(QStringLiteral("1"));
    baanCodeEdit_->setText(QStringLiteral("1"));
    baanCodeEdit_->setFocus();
    baanCodeEdit_->selectAll();
}

bool TBanenDlg::storeCode()
{
    bool ok = false;
    const int code = baanCodeEdit_->text().trimmed().toInt(&ok);
    if (!ok) {
        state_.messages.beep();
        baanCodeEdit_->setFocus();
        baanCodeEdit_->selectAll();
        return false;
    }
    auto& codes = state_.schedule->CourtCodes;
    if (currentCourt_ >= 1 && currentCourt_ < int(codes.size()))
        codes[size_t(currentCourt_)] = code;
    return true;
}

void TBanenDlg::step(int d)
{
    if (!storeCode())
        return;
    const int k = courts();
    currentCourt_ += d;
    if (currentCourt_ > k)
        currentCourt_ = 1;
    if (currentCourt_ <= 0)
        currentCourt_ = k;
    baanEdit_->setText(QString::number(currentCourt_));
    const auto& codes = state_.schedule->CourtCodes;
    baanCodeEdit_->setText(QString::number(currentCourt_ < int(codes.size()) ? codes[size_t(currentCourt_)] : 0));
    baanCodeEdit_->setFocus();
    baanCodeEdit_->selectAll();
}

void TBanenDlg::accept()
{
    if (!storeCode())
        return;
    QDialog::accept();
}

namespace {

// The window the dialog belongs over: the nearest shown window up its parents (the set-up window is
// still hidden while it prepares an opening), else the active window.
QWidget* shownOwner(const QWidget& dialog)
{
    for (QWidget* w = dialog.parentWidget(); w; w = w->parentWidget())
        if (w->window()->isVisible())
            return w->window();
    return QApplication::activeWindow();
}

// Centres the dialog over its owner, kept on the owner's screen.
void centreOverOwner(QWidget& dialog)
{
    QWidget* owner = shownOwner(dialog);
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const QRect over = owner ? owner->frameGeometry() : area;
    if (!over.isValid())
        return;
    dialog.adjustSize();
    // Before its first showing the dialog has no frame yet: count the owner's frame for it.
    QSize size = dialog.frameGeometry().size();
    if (owner && size == dialog.size())
        size += owner->frameGeometry().size() - owner->size();
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(over.center());
    if (area.isValid()) {
        placed.moveLeft(std::max(area.left(), std::min(placed.left(), area.right() + 1 - placed.width())));
        placed.moveTop(std::max(area.top(), std::min(placed.top(), area.bottom() + 1 - placed.height())));
    }
    dialog.move(placed.topLeft());
}

} // namespace

void OpenCourtCoding(AppState& state, TBanenDlg& dialog, int shownCourts)
{
    try {
        dialog.prepare(shownCourts);
        centreOverOwner(dialog);
        state.modalHooks.aboutToShow(dialog);
        dialog.exec();
    } catch (const std::exception&) {
        state.messages.showBericht(QStringLiteral("Coderen van de banen mislukt"), Error, Btn::OK, 0);
    }
}

} // namespace tandemx
