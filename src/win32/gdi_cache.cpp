#include "win32/gdi_cache.h"

#include <cmath>

#include "win32/resources/resource_ids.h"
#include "win32/wide_text.h"

namespace orlimo::win32 {
namespace {

// Faces with Hangul in their names are Korean fonts; the others get the charset Windows picks.
BYTE CharsetOf(const Text& face) {
  for (char16_t c : face) {
    if (c >= 0x1100) return HANGEUL_CHARSET;
  }
  return DEFAULT_CHARSET;
}

int PictureResource(forms::Picture picture) {
  switch (picture) {
    case forms::Picture::Key:
      return IDB_KEY;
    case forms::Picture::User:
      return IDB_USER;
    case forms::Picture::Hide:
      return IDB_HIDE;
    case forms::Picture::None:
      break;
  }
  return 0;
}

}  // namespace

COLORREF ColorRefOf(forms::Color color) {
  if (forms::IsSystemColor(color)) return GetSysColor(forms::SystemColorIndex(color));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);  // both are 0x00BBGGRR
}

GdiCache::~GdiCache() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [key, brush] : brushes_) DeleteObject(brush);
  for (auto& [key, bitmap] : pictures_) {
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
}

HFONT GdiCache::Font(const forms::Font& font, UINT dpi) {
  auto key = std::make_tuple(font.face, font.points, font.bold, dpi);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  int height = -static_cast<int>(std::lround(font.points * dpi / 72.0));
  std::wstring face = ToWide(font.face);
  HFONT created = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                              CharsetOf(font.face), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  if (created == nullptr) created = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_[key] = created;
  return created;
}

HBRUSH GdiCache::Brush(forms::Color color) {
  if (forms::IsSystemColor(color)) {
    HBRUSH system = GetSysColorBrush(forms::SystemColorIndex(color));
    if (system != nullptr) return system;
  }
  COLORREF value = ColorRefOf(color);
  auto found = brushes_.find(value);
  if (found != brushes_.end()) return found->second;
  HBRUSH created = CreateSolidBrush(value);
  brushes_[value] = created;
  return created;
}

HBITMAP GdiCache::Picture(forms::Picture picture) {
  auto found = pictures_.find(picture);
  if (found != pictures_.end()) return found->second;
  HBITMAP bitmap = nullptr;
  if (int id = PictureResource(picture); id != 0) {
    bitmap = static_cast<HBITMAP>(
        LoadImageW(instance_, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  }
  pictures_[picture] = bitmap;
  return bitmap;
}

}  // namespace orlimo::win32
