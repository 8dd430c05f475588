// JPEG pictures through the Windows Imaging Component (ole32 only: the factory is made with
// CoCreateInstance, so no other DLL is imported).
#include "runtime/picture_win.h"

#include <wincodec.h>

#include <cstdint>
#include <utility>

namespace spindle {
namespace {

// Releases a COM interface when it goes.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    Interface* operator->() const { return p_; }
    Interface* get() const { return p_; }
    Interface** out() { return &p_; }
    void** outVoid() { return reinterpret_cast<void**>(&p_); }

private:
    Interface* p_ = nullptr;
};

// COM for the current thread while the picture is decoded (balanced when it was started here).
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

DecodedPicture Decode(const void* data, std::size_t size) {
    DecodedPicture picture;
    if (!data || size == 0 || size > 0x7FFFFFFF) return picture;
    ComRef<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.outVoid())))
        return picture;
    ComRef<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.out()))) return picture;
    // WIC only reads from the buffer, though the call takes a non-const pointer.
    auto* bytes = static_cast<BYTE*>(const_cast<void*>(data));
    if (FAILED(stream->InitializeFromMemory(bytes, static_cast<DWORD>(size)))) return picture;
    ComRef<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnLoad, decoder.out())))
        return picture;
    ComRef<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.out()))) return picture;
    ComRef<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.out()))) return picture;
    if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return picture;
    UINT width = 0, height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 16384 || height > 16384)
        return picture;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return picture;
    const UINT stride = width * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) return picture;
    picture.bitmap = std::move(bitmap);
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    return picture;
}

}  // namespace

DecodedPicture DecodePicture(const void* data, std::size_t size) {
    ComScope com;
    return Decode(data, size);
}

DecodedPicture LoadPictureResource(int id, HMODULE module) {
    if (!module) module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!resource) return {};
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return DecodePicture(data, SizeofResource(module, resource));
}

PictureImage::PictureImage(DecodedPicture picture) : picture_(std::move(picture)) {
    if (picture_ && dc_.get()) original_ = SelectObject(dc_.get(), picture_.bitmap.get());
}

PictureImage::~PictureImage() {
    if (original_) SelectObject(dc_.get(), original_);
}

}  // namespace spindle
