#include "about/frmAboutDesign.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "about/LinkCursor.h"
#include "desktop/ControlName.h"
#include "surface/DrawSurface.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {

void frmAboutDesign::setupUi(QDialog* form, DrawSurface& anim, DrawSurface& scrTxt) {
  constexpr int clientWidth = 359;
  constexpr int bannerHeight = 70;
  form->setFixedSize(clientWidth, 109);
  form->setMouseTracking(true);

  anim.resize(clientWidth, bannerHeight);
  picAnim = new SurfaceView(anim, form);
  picAnim->setGeometry(0, 0, clientWidth, bannerHeight);
  picAnim->setToolTip(QString::fromUtf8("ダブルクリックするとスタッフロールもどきが…(謎)"));
  picAnim->setMouseTracking(true);

  // The roll's canvas lives inside the banner and is moved through it; its size is set by the
  // form, not by the view, so that it holds before the box is first shown.
  picScrTxt = new SurfaceView(scrTxt, picAnim);
  picScrTxt->setSurfaceFollowsSize(false);
  picScrTxt->setAttribute(Qt::WA_TransparentForMouseEvents);

  cmdOK = new QPushButton(QStringLiteral("OK(&O)"), form);
  cmdOK->setGeometry(234, 76, 120, 28);
  cmdOK->setDefault(true);
  cmdOK->setMouseTracking(true);

  QFont linkFont(QStringLiteral("Arial"));
  linkFont.setPointSizeF(9.75);
  linkFont.setUnderline(true);
  const std::array<QPoint, 2> linkAt{QPoint(8, 72), QPoint(8, 90)};
  const std::array<QString, 2> linkTips{
      QString::fromUtf8("インターネット環境がある場合はWeb Brenvoltへジャンプします。"),
      QString::fromUtf8("メール環境がある場合は作者にメールを送ることができます。")};
  for (std::size_t i = 0; i < lblURL.size(); ++i) {
    QLabel* label = new QLabel(form);
    label->setTextFormat(Qt::PlainText);
    label->setFont(linkFont);
    label->move(linkAt[i]);
    label->setToolTip(linkTips[i]);
    label->setMouseTracking(true);
    nameControl(label, "lblURL", static_cast<int>(i));
    lblURL[i] = label;
  }
  lblURL[0]->setCursor(linkCursor());

  lblTitle = new QLabel(form);
  lblTitle->hide();
  lblVersion = new QLabel(form);
  lblVersion->hide();

  nameControl(picAnim, "picAnim");
  nameControl(picScrTxt, "picScrTxt");
  nameControl(cmdOK, "cmdOK");
  nameControl(lblTitle, "lblTitle");
  nameControl(lblVersion, "lblVersion");
}

}  // namespace kwemo
