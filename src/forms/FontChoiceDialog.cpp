#include "forms/FontChoiceDialog.h"

#include "state/ModalHooks.h"

#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tandemx {

FontChoiceDialog::FontChoiceDialog(const QFont& initial, const QString& title, int smallestSize, QWidget* parent)
    : QDialog(parent), smallestSize_(std::clamp(smallestSize, 1, LargestSize))
{
    setObjectName(QStringLiteral("FontChoiceDialog"));
    setWindowTitle(title);
    setModal(true);

    familyBox_ = new QFontComboBox(this);
    familyBox_->setObjectName(QStringLiteral("FontBox"));
    familyBox_->setCurrentFont(initial);

    sizeBox_ = new QComboBox(this);
    sizeBox_->setObjectName(QStringLiteral("SizeBox"));
    sizeBox_->setEditable(true);
    sizeBox_->setInsertPolicy(QComboBox::NoInsert);
    for (int size : QFontDatabase::standardSizes())
        if (size >= smallestSize_ && size <= LargestSize)
            sizeBox_->addItem(QString::number(size));
    sizeBox_->lineEdit()->setValidator(new QIntValidator(smallestSize_, LargestSize, sizeBox_));
    const int start = std::clamp(initial.pointSize() > 0 ? initial.pointSize() : 10, smallestSize_, LargestSize);
    const int listed = sizeBox_->findText(QString::number(start));
    if (listed >= 0)
        sizeBox_->setCurrentIndex(listed); // the list opens on the size in use
    else
        sizeBox_->setCurrentText(QString::number(start));

    sample_ = new QLabel(QStringLiteral("AaBbYyZz 0123"), this);
    sample_->setObjectName(QStringLiteral("SampleLab"));
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumHeight(60);
    sample_->setFrameShape(QFrame::StyledPanel);

    auto* fontLabel = new QLabel(QStringLiteral("&Lettertype"), this);
    fontLabel->setBuddy(familyBox_);
    auto* sizeLabel = new QLabel(QStringLiteral("&Grootte (vanaf %1)").arg(smallestSize_), this);
    sizeLabel->setBuddy(sizeBox_);

    okBtn_ = new QPushButton(QStringLiteral("O&k"), this);
    okBtn_->setObjectName(QStringLiteral("OkBtn"));
    okBtn_->setDefault(true);
    auto* cancelBtn = new QPushButton(QStringLiteral("Schrap"), this);
    cancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    cancelBtn->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(fontLabel, 0, 0);
    fields->addWidget(familyBox_, 0, 1);
    fields->addWidget(sizeLabel, 1, 0);
    fields->addWidget(sizeBox_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn_);
    buttons->addWidget(cancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(sample_);
    layout->addLayout(buttons);

    connect(familyBox_, &QFontComboBox::currentFontChanged, this, [this] { updateSample(); });
    connect(sizeBox_, &QComboBox::currentTextChanged, this, [this] { sizeEdited(); });
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    sizeEdited();
}

bool FontChoiceDialog::sizeAccepted() const
{
    bool ok = false;
    const int size = sizeBox_->currentText().trimmed().toInt(&ok);
    return ok && size >= smallestSize_ && size <= LargestSize;
}

QFont FontChoiceDialog::chosenFont() const
{
    QFont font = familyBox_->currentFont();
    if (sizeAccepted())
        font.setPointSize(sizeBox_->currentText().trimmed().toInt());
    return font;
}

void FontChoiceDialog::sizeEdited()
{
    // A size below the smallest one cannot be taken: "O&k" waits for one that can.
    okBtn_->setEnabled(sizeAccepted());
    updateSample();
}

void FontChoiceDialog::updateSample()
{
    QFont font = chosenFont();
    if (!sizeAccepted())
        font.setPointSize(smallestSize_);
    sample_->setFont(font);
}

std::optional<QFont> FontChoiceDialog::getFont(const QFont& initial, const QString& title, int smallestSize,
                                               QWidget* parent, const ModalHooks& hooks)
{
    FontChoiceDialog dialog(initial, title, smallestSize, parent);
    hooks.aboutToShow(dialog);
    if (dialog.exec() != QDialog::Accepted || !dialog.sizeAccepted())
        return std::nullopt;
    return dialog.chosenFont();
}

} // namespace tandemx
