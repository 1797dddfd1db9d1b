// Enhanced metafiles: libemf2svg turns the records into SVG, QSvgRenderer draws that into an ARGB
// image of the metafile's frame size. The records are walked first, so that libemf2svg only ever
// sees a file whose records each lie inside it and which ends with its end record.

#include <dlfcn.h>
#include <emf2svg.h>

#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "picture/BoundedCanvas.h"
#include "picture/MetafileRenderers.h"

// libUEMF, the record layer under libemf2svg, checks one record's declared size and the offsets
// and counts inside it; libemf2svg itself skips these checks for some records (a monochrome
// brush's bitmap is copied from wherever its offsets point). No header is installed for them.
extern "C" {
int U_emf_record_sizeok(const char* record, const char* blimit, uint32_t* nSize, uint32_t* iType,
                        int torev);
int U_emf_record_safe(const char* record);

// libemf2svg resolves the font of every glyph-index text record through fontconfig and then shuts
// fontconfig down with FcFini, under Qt, which still holds fontconfig's fonts: fontconfig aborts on
// an assertion there or at Qt's next look-up. Defined beside the only caller of the converter, this
// no-op is in every executable that can convert an EMF, and the dynamic linker binds the library's
// call to it (an executable's definition comes first). Fontconfig's memory stays until exit.
__attribute__((visibility("default"))) void FcFini(void) {}
}

namespace kwemo {

namespace {

constexpr quint32 kEmrHeader = 1;
constexpr quint32 kEmrEof = 14;
constexpr quint32 kEmrExtTextOutA = 83;
constexpr quint32 kEmrExtTextOutW = 84;
constexpr qsizetype kTextOptionsAt = 52;  // EMREXTTEXTOUT: emrtext.fOptions
constexpr quint32 kEtoGlyphIndex = 0x10;
constexpr qsizetype kMinHeaderBytes = 88;
// Far beyond any drawing a person makes; bounds the SVG text a file of tiny records can produce.
constexpr quint32 kMaxRecords = 1'000'000;
// The user waits for a picture while typing its path: drawing that takes longer is refused.
constexpr int kDrawMilliseconds = 1000;

quint32 u32At(const QByteArray& d, qsizetype at) {
  const auto* p = reinterpret_cast<const unsigned char*>(d.constData()) + at;
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<quint32>(p[3]) << 24;
}
qint32 s32At(const QByteArray& d, qsizetype at) { return static_cast<qint32>(u32At(d, at)); }
void setU32(QByteArray& d, qsizetype at, quint32 v) {
  for (int i = 0; i < 4; ++i) d[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// True when the converter's FcFini call reaches the no-op above. Should a link ever leave it out
// (a shared build, symbols not exported), text that would make it call fontconfig's is refused.
bool fontconfigShutdownDisarmed() {
  static const bool disarmed = dlsym(RTLD_DEFAULT, "FcFini") == reinterpret_cast<void*>(&FcFini);
  return disarmed;
}

// The records up to and including the end record, with the header's byte and record counts made
// to match; std::nullopt when a record does not fit.
std::optional<QByteArray> checkedRecords(const QByteArray& data) {
  if (data.size() < kMinHeaderBytes || u32At(data, 0) != kEmrHeader) return std::nullopt;
  qsizetype at = 0;
  quint32 records = 0;
  bool sawEnd = false;
  while (at + 8 <= data.size()) {
    const quint32 type = u32At(data, at);
    const quint32 size = u32At(data, at + 4);
    if (size < 8 || size % 4 != 0 || size > static_cast<quint32>(data.size() - at))
      return std::nullopt;
    if (at == 0 && (size < kMinHeaderBytes || type != kEmrHeader)) return std::nullopt;
    if (at != 0 && type == kEmrHeader) return std::nullopt;  // a second header
    const char* record = data.constData() + at;
    quint32 checkedSize = 0, checkedType = 0;
    if (!U_emf_record_sizeok(record, data.constData() + data.size(), &checkedSize, &checkedType,
                             1) ||
        !U_emf_record_safe(record))
      return std::nullopt;
    if ((type == kEmrExtTextOutA || type == kEmrExtTextOutW) && size >= kTextOptionsAt + 4 &&
        (u32At(data, at + kTextOptionsAt) & kEtoGlyphIndex) && !fontconfigShutdownDisarmed())
      return std::nullopt;
    if (++records > kMaxRecords) return std::nullopt;
    at += size;
    if (type == kEmrEof) {
      sawEnd = true;
      break;
    }
  }
  if (!sawEnd) return std::nullopt;
  QByteArray out = data.left(at);
  setU32(out, 48, static_cast<quint32>(at));  // nBytes
  setU32(out, 52, records);                   // nRecords
  return out;
}

}  // namespace

std::optional<Picture> RenderEmf(const QByteArray& data) {
  std::optional<QByteArray> emf = checkedRecords(data);
  if (!emf) return std::nullopt;
  // rclFrame, inclusive, in hundredths of a millimetre.
  const double frameWidth = static_cast<double>(s32At(*emf, 32)) - s32At(*emf, 24);
  const double frameHeight = static_cast<double>(s32At(*emf, 36)) - s32At(*emf, 28);
  const int w = RoundHalfEven(std::abs(frameWidth) * 96.0 / 2540.0);
  const int h = RoundHalfEven(std::abs(frameHeight) * 96.0 / 2540.0);
  if (w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide) return std::nullopt;

  generatorOptions options{};
  char nameSpace[] = "svg";
  options.nameSpace = nameSpace;
  options.verbose = false;
  options.emfplus = true;
  options.svgDelimiter = true;
  options.imgWidth = w;
  options.imgHeight = h;
  char* svg = nullptr;
  std::size_t svgLength = 0;
  const int converted =
      emf2svg(emf->data(), static_cast<std::size_t>(emf->size()), &svg, &svgLength, &options);
  // The output is the library's malloc'ed buffer.
  const QByteArray svgText =
      svg ? QByteArray(svg, static_cast<qsizetype>(svgLength)) : QByteArray();
  std::free(svg);
  if (!converted || svgText.isEmpty()) return std::nullopt;

  QSvgRenderer renderer(svgText);
  if (!renderer.isValid()) return std::nullopt;
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return std::nullopt;
  image.fill(Qt::transparent);
  BoundedCanvas canvas(&image, QDeadlineTimer(kDrawMilliseconds));
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, QRectF(0, 0, w, h));
  painter.end();
  if (canvas.expired()) return std::nullopt;
  return Picture{image, w, h};
}

}  // namespace kwemo
