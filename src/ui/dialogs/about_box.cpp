#include "ui/dialogs/about_box.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/window_placement.h"
#include "ui/common/artwork.h"
#include "ui/common/dialog_frame.h"

namespace tesmora::ui {
namespace {

constexpr QSize kDesignedSize(314, 342);
constexpr int kPictureHeight = 154;
// Where the recorder's version stands on the picture, after its painted name.
constexpr QPoint kRecorderVersionAt(138, 60);

const QString kNoticeFrench = QString::fromUtf8(
    "Tesmora accompagne l'enregistreur KALDIRONE et sert \u00e0 relire, exporter et "
    "imprimer ses essais.\n\n"
    "Ce logiciel est conc\u00e9d\u00e9 au seul laboratoire qui a acquis l'appareil. "
    "Toute copie, modification ou diffusion sans accord \u00e9crit de l'\u00e9diteur "
    "est interdite. Il est fourni tel quel ; les r\u00e9sultats doivent \u00eatre "
    "v\u00e9rifi\u00e9s par le laboratoire.");

const QString kNoticeEnglish = QStringLiteral(
    "Tesmora is the companion of the KALDIRONE recorder: it reads back, exports and "
    "prints its tests.\n\n"
    "This software is licensed only to the laboratory that acquired the instrument. "
    "Copying, changing or passing it on without the publisher's written consent is "
    "forbidden. The laboratory remains responsible for checking its results.");

void PaintAboutPicture(QPainter& painter, const QRectF& area) {
  QLinearGradient field(area.topLeft(), area.bottomLeft());
  field.setColorAt(0, QColor(0xFB, 0xF3, 0xDE));
  field.setColorAt(1, QColor(0xE3, 0xC5, 0x82));
  painter.fillRect(area, field);
  PaintLogo(painter, QRectF(area.left() + 24, area.top() + 6, area.width() - 48, 50));

  painter.save();
  QFont font = painter.font();
  font.setPixelSize(13);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(0x3A, 0x2A, 0x14));
  painter.drawText(
      QRectF(area.left() + 4, area.top() + kRecorderVersionAt.y(), kRecorderVersionAt.x() - 12, 18),
      Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("KALDIRONE"));
  painter.setPen(QPen(QColor(0x8A, 0x5A, 0x1C), 1));
  painter.drawLine(QPointF(area.left() + 16, area.bottom() - 24),
                   QPointF(area.right() - 16, area.bottom() - 24));
  painter.restore();
}

void NameControls(QWidget& box, const LanguageState& language) {
  NameControlsForReader(box,
                        {{"Image1", UiString(UiText::Picture, language), {}},
                         {"zeVersionKaldirone", UiString(UiText::RecorderVersion, language), {}},
                         {"zaVersionTesmora", UiString(UiText::ProgramVersion, language), {}},
                         {"Panel1", UiString(UiText::LegalNotice, language), {}},
                         {"txtLicence", UiString(UiText::LegalNotice, language), {}}});
}

}  // namespace

TAffVersion::TAffVersion(const LanguageState& language,
                         std::function<std::string()> recorderVersion, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      language_(language),
      recorderVersion_(std::move(recorderVersion)) {
  setObjectName("AffVersion");

  auto* image = new ArtworkPicture(PaintAboutPicture, this);
  image->setObjectName("Image1");
  image->setFixedHeight(kPictureHeight);

  recorderVersionLabel_ = new QLabel(image);
  recorderVersionLabel_->setObjectName("zeVersionKaldirone");
  QFont versionFont = recorderVersionLabel_->font();
  versionFont.setPixelSize(13);
  recorderVersionLabel_->setFont(versionFont);
  recorderVersionLabel_->move(kRecorderVersionAt);

  programMark_ = new QLabel(QStringLiteral("v"), image);
  programMark_->setObjectName("zaTesmora");
  QFont markFont = programMark_->font();
  markFont.setBold(true);
  markFont.setItalic(true);
  programMark_->setFont(markFont);
  programVersionLabel_ = new QLabel(image);
  programVersionLabel_->setObjectName("zaVersionTesmora");

  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);
  notice_ = new QLabel(panel);
  notice_->setObjectName("txtLicence");
  notice_->setWordWrap(true);
  notice_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* ok = new QPushButton(QStringLiteral("OK"), panel);
  ok->setObjectName("bbOK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* inside = new QVBoxLayout(panel);
  inside->setContentsMargins(9, 8, 9, 8);
  inside->addWidget(notice_, 1);
  inside->addLayout(buttons);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(6);
  column->addWidget(image);
  auto* framed = new QVBoxLayout;
  framed->setContentsMargins(7, 0, 7, 5);
  framed->addWidget(panel);
  column->addLayout(framed, 1);

  resize(kDesignedSize);
  NameControls(*this, language_);
  CentreOnPrimaryScreen(*this);
}

void TAffVersion::showEvent(QShowEvent* event) {
  setWindowTitle(Message(msg::kAboutTitle, language_));
  notice_->setText(language_.LanguageIndex == 0 ? kNoticeFrench : kNoticeEnglish);
  ShowVersions();
  FixSizeAtLeast(*this, kDesignedSize);
  NameControls(*this, language_);
  QDialog::showEvent(event);
}

bool TAffVersion::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) ShowVersions();
  return QDialog::event(event);
}

void TAffVersion::ShowVersions() {
  const std::string recorder = recorderVersion_ ? recorderVersion_() : std::string();
  recorderVersionLabel_->setText(QString::fromLatin1(recorder.data(), recorder.size()));
  recorderVersionLabel_->adjustSize();
  programVersionLabel_->setText(QString::fromUtf8(kProgramVersion.data(), kProgramVersion.size()));
  programVersionLabel_->adjustSize();
  programMark_->adjustSize();
  // The program's version keeps to the picture's lower right corner, whatever
  // the width of the font.
  const int right = kDesignedSize.width() - 8;
  const int top = kPictureHeight - 4 - programVersionLabel_->height();
  programVersionLabel_->move(right - programVersionLabel_->width(), top);
  programMark_->move(programVersionLabel_->x() - programMark_->width() - 1, top);
}

}  // namespace tesmora::ui
