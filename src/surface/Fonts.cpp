#include "surface/Fonts.h"

#include <QFont>
#include <QStringList>

#include <dlfcn.h>

namespace kwemo {

std::jthread startFontSetUp() {
  // Qt's text stack has fontconfig loaded already; looked up rather than linked, so that a
  // build without it still starts.
  using Init = int (*)();
  const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
  if (!init) return {};
  return std::jthread(init);
}

void installFontSubstitutes() {
  // fontconfig alone sends these to DejaVu Sans, which is wider and has no Japanese glyphs.
  const QStringList pGothic{QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
  const QStringList gothic{QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")};
  for (const char* name : {"ＭＳ Ｐゴシック", "MS PGothic", "ＭＳ Ｐ明朝", "MS UI Gothic"})
    QFont::insertSubstitutions(QString::fromUtf8(name), pGothic);
  for (const char* name : {"ＭＳ ゴシック", "MS Gothic", "ＭＳ 明朝"})
    QFont::insertSubstitutions(QString::fromUtf8(name), gothic);
  QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
  QFont::insertSubstitutions(QStringLiteral("Arial Black"), {QStringLiteral("Liberation Sans")});
}

}  // namespace kwemo
