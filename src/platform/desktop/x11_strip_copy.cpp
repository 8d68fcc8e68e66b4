#include "platform/desktop/x11_strip_copy.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QRegion>
#include <algorithm>
#include <vector>

namespace tarvel::desktop {

struct X11StripCopy::Server {
    xcb_window_t window = 0;  // the top-level window the strip lies in
    xcb_pixmap_t pixmap = 0;
    xcb_gcontext_t gc = 0;
    int strip_width = 0;
    int height = 0;
    int picture_width = 0;
    QPoint at;  // the strip's place in the window when loaded
};

namespace {

// The parts of the strip, in window coordinates, that no sibling stacked above it covers: the
// copies are clipped to them.
std::vector<xcb_rectangle_t> UncoveredParts(const QWidget& strip) {
    const QPoint at = strip.mapTo(strip.window(), QPoint(0, 0));
    QRegion region(QRect(at, strip.size()));
    if (const QWidget* parent = strip.parentWidget()) {
        const QObjectList& siblings = parent->children();
        const qsizetype own = siblings.indexOf(const_cast<QWidget*>(&strip));
        for (qsizetype i = own + 1; own >= 0 && i < siblings.size(); ++i) {
            const auto* above = qobject_cast<const QWidget*>(siblings[i]);
            if (above != nullptr && above->isVisible() && !above->isWindow()) {
                region -= QRect(parent->mapTo(strip.window(), above->pos()), above->size());
            }
        }
    }
    std::vector<xcb_rectangle_t> parts;
    for (const QRect& r : region) {
        parts.push_back({static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()),
                         static_cast<uint16_t>(r.width()), static_cast<uint16_t>(r.height())});
    }
    return parts;
}

xcb_connection_t* X11Connection() {
    if (qGuiApp == nullptr || QGuiApplication::platformName() != "xcb") {
        return nullptr;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace

X11StripCopy::X11StripCopy() : connection_(X11Connection()) {}

X11StripCopy::~X11StripCopy() {
    Drop();
}

void X11StripCopy::Drop() {
    if (server_ != nullptr && connection_ != nullptr) {
        auto* c = static_cast<xcb_connection_t*>(connection_);
        xcb_free_pixmap(c, server_->pixmap);
        xcb_free_gc(c, server_->gc);
        xcb_flush(c);
    }
    server_.reset();
}

bool X11StripCopy::Load(const QWidget& strip, const QImage& picture, uint32_t background_rgb) {
    Drop();
    auto* c = static_cast<xcb_connection_t*>(connection_);
    const QWidget* top = strip.window();
    if (c == nullptr || top->windowHandle() == nullptr || strip.devicePixelRatioF() != 1.0 ||
        picture.height() != strip.height() || picture.format() != QImage::Format_RGB32) {
        return false;
    }
    const auto window = static_cast<xcb_window_t>(top->winId());
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    if (geometry == nullptr) {
        return false;
    }
    const uint8_t depth = geometry->depth;
    free(geometry);
    if (depth != 24 && depth != 32) {
        return false;  // the picture's pixels are 32-bit BGRX; other depths would need converting
    }
    const int strip_width = strip.width();
    const int width = picture.width() + 2 * strip_width;
    const int height = picture.height();
    if (width > 32767 || height <= 0 || strip_width <= 0) {
        return false;
    }
    auto server = std::make_unique<Server>();
    server->window = window;
    server->strip_width = strip_width;
    server->height = height;
    server->picture_width = picture.width();
    server->pixmap = xcb_generate_id(c);
    xcb_void_cookie_t made =
        xcb_create_pixmap_checked(c, depth, server->pixmap, window, static_cast<uint16_t>(width),
                                  static_cast<uint16_t>(height));
    if (xcb_generic_error_t* error = xcb_request_check(c, made)) {
        free(error);
        return false;
    }
    server->gc = xcb_generate_id(c);
    const uint32_t values[] = {background_rgb, 0};
    xcb_create_gc(c, server->gc, server->pixmap, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES,
                  values);
    const xcb_rectangle_t all = {0, 0, static_cast<uint16_t>(width), static_cast<uint16_t>(height)};
    xcb_poly_fill_rectangle(c, server->pixmap, server->gc, 1, &all);
    // The picture goes up in bands of rows that fit in one request.
    const size_t row_bytes = static_cast<size_t>(picture.width()) * 4;
    const size_t limit = std::max<size_t>(xcb_get_maximum_request_length(c) * 4, 4096) - 64;
    const int rows_per_band = std::max(1, static_cast<int>(limit / row_bytes));
    std::vector<uint8_t> band;
    for (int top_row = 0; top_row < height; top_row += rows_per_band) {
        const int rows = std::min(rows_per_band, height - top_row);
        band.resize(row_bytes * static_cast<size_t>(rows));
        for (int r = 0; r < rows; ++r) {
            std::copy_n(picture.constScanLine(top_row + r), row_bytes,
                        band.data() + row_bytes * static_cast<size_t>(r));
        }
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, server->pixmap, server->gc,
                      static_cast<uint16_t>(picture.width()), static_cast<uint16_t>(rows),
                      static_cast<int16_t>(strip_width), static_cast<int16_t>(top_row), 0, depth,
                      static_cast<uint32_t>(band.size()), band.data());
    }
    // From here on the context only copies into the window.
    server->at = strip.mapTo(strip.window(), QPoint(0, 0));
    const std::vector<xcb_rectangle_t> parts = UncoveredParts(strip);
    xcb_set_clip_rectangles(c, XCB_CLIP_ORDERING_UNSORTED, server->gc, 0, 0,
                            static_cast<uint32_t>(parts.size()), parts.data());
    xcb_flush(c);
    server_ = std::move(server);
    return true;
}

bool X11StripCopy::Show(const QWidget& strip, int x) {
    auto* c = static_cast<xcb_connection_t*>(connection_);
    if (server_ == nullptr || c == nullptr || strip.width() != server_->strip_width ||
        strip.height() != server_->height ||
        strip.mapTo(strip.window(), QPoint(0, 0)) != server_->at) {
        return false;
    }
    if (!strip.isVisible()) {
        return true;  // nothing to show; the next paint draws the position
    }
    const int shown = std::clamp(x, -server_->picture_width, server_->strip_width);
    xcb_copy_area(c, server_->pixmap, server_->window, server_->gc,
                  static_cast<int16_t>(server_->strip_width - shown), 0,
                  static_cast<int16_t>(server_->at.x()), static_cast<int16_t>(server_->at.y()),
                  static_cast<uint16_t>(server_->strip_width),
                  static_cast<uint16_t>(server_->height));
    xcb_flush(c);
    return true;
}

}  // namespace tarvel::desktop
