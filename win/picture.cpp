// SPDX-License-Identifier: MIT
#include "win/picture.h"

#include <olectl.h>

#include <cstring>

namespace vantro::win {

Picture::Picture() {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(module, L"IMAGE1", MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (resource == nullptr) {
        return;
    }
    const DWORD size = SizeofResource(module, resource);
    const void* bytes = LockResource(LoadResource(module, resource));
    // OleLoadPicture reads from a stream; the stream frees the memory it is given.
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (bytes == nullptr || memory == nullptr) {
        return;
    }
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return;
    }
    OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                   reinterpret_cast<void**>(&picture_));
    stream->Release();
}

Picture::~Picture() {
    if (picture_ != nullptr) {
        picture_->Release();
    }
}

void Picture::draw(HDC dc, const RECT& box) const {
    if (picture_ == nullptr) {
        return;
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    // The source rectangle runs bottom-up in HIMETRIC units.
    picture_->Render(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, 0, height,
                     width, -height, nullptr);
}

}  // namespace vantro::win
