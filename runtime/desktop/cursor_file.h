// Mouse pointers from Windows cursor (.cur) files.
#pragma once

#include <QCursor>
#include <QPoint>

#include <optional>
#include <string_view>

namespace forms {

// The hot spot of the file's first image, from its directory entry.
std::optional<QPoint> cursorHotSpot(std::string_view cur);

// The cursor the file draws; nothing when Qt cannot decode it.
std::optional<QCursor> cursorFrom(std::string_view cur);

}  // namespace forms
