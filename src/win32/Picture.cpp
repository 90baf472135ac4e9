#include "win32/Picture.h"

#include <wincodec.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "win32/ArtResources.h"

namespace quorvane::win32 {

namespace {

// Releases a COM interface when it goes.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (m_p) m_p->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** put() { return &m_p; }
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }

private:
    T* m_p = nullptr;
};

// COM for the imaging factory on this thread, for as long as the decoding runs.
class ComScope {
public:
    ComScope() : m_result(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComScope() {
        if (SUCCEEDED(m_result)) ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT m_result;
};

// WICConvertBitmapSource from the imaging component's library, loaded on first use: the program's
// start does not wait for that library (its pictures are decoded after the first paint).
HRESULT convertBitmapSource(REFWICPixelFormatGUID format, IWICBitmapSource* source, IWICBitmapSource** converted) {
    using Convert = HRESULT(WINAPI*)(REFWICPixelFormatGUID, IWICBitmapSource*, IWICBitmapSource**);
    static const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(::GetProcAddress(::LoadLibraryW(L"windowscodecs.dll"), "WICConvertBitmapSource")));
    return convert ? convert(format, source, converted) : E_NOTIMPL;
}

}  // namespace

std::optional<Picture> decodePicture(const void* bytes, std::size_t size) {
    const ComScope com;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(factory.put()))))
        return std::nullopt;
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), static_cast<DWORD>(size))))
        return std::nullopt;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put())))
        return std::nullopt;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put()))) return std::nullopt;
    ComPtr<IWICBitmapSource> converted;
    if (FAILED(convertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.get(), converted.put()))) return std::nullopt;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0) return std::nullopt;
    Picture picture;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels.resize(static_cast<std::size_t>(width) * height);
    if (FAILED(converted->CopyPixels(nullptr, width * 4, width * height * 4,
                                     reinterpret_cast<BYTE*>(picture.pixels.data()))))
        return std::nullopt;
    return picture;
}

std::optional<std::vector<unsigned char>> resourceBytes(int id) {
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!found) return std::nullopt;
    const HGLOBAL loaded = ::LoadResource(module, found);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return std::nullopt;
    const auto* begin = static_cast<const unsigned char*>(data);
    return std::vector<unsigned char>(begin, begin + ::SizeofResource(module, found));
}

std::optional<Picture> artPicture(const std::string& path) {
    struct Art {
        std::string_view path;
        int id;
    };
    static constexpr std::array<Art, 5> kArt = {{
        {":/art/quorvane-48.png", QUORVANE_ART_ICON48},
        {":/art/quorvane-32.png", QUORVANE_ART_ICON32},
        {":/art/banner.jpg", QUORVANE_ART_BANNER},
        {":/art/portrait-drawing.jpg", QUORVANE_ART_PORTRAIT_DRAWING},
        {":/art/portrait-photo.jpg", QUORVANE_ART_PORTRAIT_PHOTO},
    }};
    for (const Art& art : kArt) {
        if (art.path != path) continue;
        const auto bytes = resourceBytes(art.id);
        return bytes ? decodePicture(bytes->data(), bytes->size()) : std::nullopt;
    }
    return std::nullopt;
}

void drawPicture(HDC dc, const Picture& picture, int x, int y) {
    drawPicture(dc, picture, x, y, picture.width, picture.height);
}

void drawPicture(HDC dc, const Picture& picture, int x, int y, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return;
    std::copy(picture.pixels.begin(), picture.pixels.end(), static_cast<std::uint32_t*>(bits));
    const HDC source = ::CreateCompatibleDC(dc);
    const HGDIOBJ old = ::SelectObject(source, bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // Scaled with the halftone filter where the sizes differ; one to one it copies the pixels as they are.
    const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
    ::GdiAlphaBlend(dc, x, y, width, height, source, 0, 0, picture.width, picture.height, blend);
    ::SetStretchBltMode(dc, oldMode);
    ::SelectObject(source, old);
    ::DeleteDC(source);
    ::DeleteObject(bitmap);
}

}  // namespace quorvane::win32
