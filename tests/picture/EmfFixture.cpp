#include "EmfFixture.h"

#include <libEMF/emf.h>

#include <cstdio>

namespace kwemo::fixtures {

namespace {

// Records what 'draw' writes into a 2 x 1 inch frame of 1000 x 500 logical units.
template <typename Draw>
std::vector<unsigned char> recordEmf(Draw draw) {
  std::vector<unsigned char> bytes;
  FILE* file = std::tmpfile();
  if (!file) return bytes;
  RECT frame{0, 0, 5080, 2540};
  HDC dc = CreateEnhMetaFileWithFILEA(0, file, &frame, "KWEMO test\0\0");
  if (!dc) {
    std::fclose(file);
    return bytes;
  }
  // Logical units: 1000 x 500 over the whole frame, whatever the reference device's resolution.
  const int deviceWide = GetDeviceCaps(dc, HORZRES) * 508 / (GetDeviceCaps(dc, HORZSIZE) * 10);
  const int deviceHigh = GetDeviceCaps(dc, VERTRES) * 254 / (GetDeviceCaps(dc, VERTSIZE) * 10);
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 1000, 500, nullptr);
  SetViewportExtEx(dc, deviceWide, deviceHigh, nullptr);
  draw(dc);
  HENHMETAFILE metafile = CloseEnhMetaFileWithFILE(dc);
  DeleteEnhMetaFile(metafile);
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    if (size > 0 && std::fseek(file, 0, SEEK_SET) == 0) {
      bytes.resize(static_cast<std::size_t>(size));
      if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) bytes.clear();
    }
  }
  std::fclose(file);
  return bytes;
}

}  // namespace

std::vector<unsigned char> emfBytes() {
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  std::vector<unsigned char> bytes = recordEmf([&](HDC dc) {
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, white);
    Rectangle(dc, 0, 0, 500, 500);
    SelectObject(dc, red);
    Ellipse(dc, 0, 0, 500, 500);
    SelectObject(dc, blue);
    Rectangle(dc, 625, 62, 875, 438);
  });
  DeleteObject(white);
  DeleteObject(red);
  DeleteObject(blue);
  return bytes;
}

std::vector<unsigned char> emfTextBytes() {
  HFONT font = CreateFontA(-40, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
  std::vector<unsigned char> bytes = recordEmf([&](HDC dc) {
    SelectObject(dc, font);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    // Glyph indices, as printer drivers write text: the converter maps them back to characters
    // through the font file it finds for the face name. 46 and 58 are "K" and "W" in Arial.
    const WCHAR glyphs[] = {46, 58};
    ExtTextOutW(dc, 20, 20, ETO_GLYPH_INDEX, nullptr, glyphs, 2, nullptr);
  });
  DeleteObject(font);
  return bytes;
}

}  // namespace kwemo::fixtures
