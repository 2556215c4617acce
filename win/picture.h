// SPDX-License-Identifier: MIT
#pragma once
// The form's picture, a JPEG image among the program's resources.

#include <windows.h>

#include <ocidl.h>

namespace vantro::win {

class Picture {
public:
    // Decodes the resource IMAGE1; a picture that cannot be read draws nothing.
    Picture();
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // Scaled to fill box exactly, whatever its own size.
    void draw(HDC dc, const RECT& box) const;

private:
    IPicture* picture_ = nullptr;
};

}  // namespace vantro::win
