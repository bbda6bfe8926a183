// The outputs' modes, read on a registry and event queue of our own on Qt's Wayland
// connection, so that Qt's objects and events are left alone.
#include "OutputPixels.h"

#include <QGuiApplication>
#include <QScreen>
#include <qpa/qplatformnativeinterface.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include <wayland-client.h>

namespace quillon {

namespace basPlatform {

namespace {
struct Output {
    wl_output *proxy = nullptr;
    QSize mode;
    int transform = WL_OUTPUT_TRANSFORM_NORMAL;
    QString name; // from version 4 on
};

using Outputs = std::vector<Output>;

Output *Find(void *data, wl_output *proxy)
{
    auto *outputs = static_cast<Outputs *>(data);
    for (Output &output : *outputs)
        if (output.proxy == proxy)
            return &output;
    return nullptr;
}

void OnGeometry(void *data, wl_output *proxy, int32_t, int32_t, int32_t, int32_t, int32_t, const char *, const char *,
                int32_t transform)
{
    if (Output *output = Find(data, proxy))
        output->transform = transform;
}

void OnMode(void *data, wl_output *proxy, uint32_t flags, int32_t width, int32_t height, int32_t)
{
    Output *output = Find(data, proxy);
    if (output && (flags & WL_OUTPUT_MODE_CURRENT))
        output->mode = QSize(width, height);
}

void OnDone(void *, wl_output *) {}
void OnScale(void *, wl_output *, int32_t) {}

void OnName(void *data, wl_output *proxy, const char *name)
{
    if (Output *output = Find(data, proxy))
        output->name = QString::fromUtf8(name);
}

void OnDescription(void *, wl_output *, const char *) {}

const wl_output_listener kOutputListener = {OnGeometry, OnMode, OnDone, OnScale, OnName, OnDescription};

void OnGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    if (std::strcmp(interface, wl_output_interface.name) != 0)
        return;
    auto *outputs = static_cast<Outputs *>(data);
    const uint32_t bound = std::min<uint32_t>(version, 4);
    auto *proxy = static_cast<wl_output *>(wl_registry_bind(registry, name, &wl_output_interface, bound));
    outputs->push_back({proxy, {}, WL_OUTPUT_TRANSFORM_NORMAL, {}});
    wl_output_add_listener(proxy, &kOutputListener, data);
}

void OnGlobalRemove(void *, wl_registry *, uint32_t) {}

const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

// Every output in the order the compositor announced them.
Outputs ReadOutputs(wl_display *display)
{
    Outputs outputs;
    wl_event_queue *queue = wl_display_create_queue(display);
    auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), queue);
    wl_registry *registry = wl_display_get_registry(wrapper);
    wl_registry_add_listener(registry, &kRegistryListener, &outputs);
    // The first round trip brings the outputs, the second their modes.
    const bool read = wl_display_roundtrip_queue(display, queue) >= 0 && wl_display_roundtrip_queue(display, queue) >= 0;
    for (const Output &output : outputs) {
        if (wl_output_get_version(output.proxy) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
            wl_output_release(output.proxy);
        else
            wl_output_destroy(output.proxy);
    }
    wl_registry_destroy(registry);
    wl_proxy_wrapper_destroy(wrapper);
    wl_event_queue_destroy(queue);
    return read ? outputs : Outputs();
}

// The object number of Qt's own binding of the screen's output.
uint32_t QtOutputId(QPlatformNativeInterface &native, QScreen *screen)
{
    auto *proxy = static_cast<wl_proxy *>(native.nativeResourceForScreen(QByteArrayLiteral("output"), screen));
    return proxy ? wl_proxy_get_id(proxy) : 0;
}
} // namespace

std::optional<QSize> OutputModeSize(const QScreen &screen)
{
    if (QGuiApplication::platformName() != QLatin1String("wayland"))
        return std::nullopt;
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    auto *display = native ? static_cast<wl_display *>(native->nativeResourceForIntegration(QByteArrayLiteral("wl_display")))
                           : nullptr;
    if (!display)
        return std::nullopt;
    const Outputs outputs = ReadOutputs(display);

    // By name where the compositor gives one; else by order: Qt binds each output as it
    // is announced, so the older its object, the earlier the output.
    const Output *found = nullptr;
    for (const Output &output : outputs)
        if (!output.name.isEmpty() && output.name == screen.name())
            found = &output;
    if (!found) {
        QList<QScreen *> screens = QGuiApplication::screens();
        std::sort(screens.begin(), screens.end(),
                  [&](QScreen *a, QScreen *b) { return QtOutputId(*native, a) < QtOutputId(*native, b); });
        const qsizetype index = screens.indexOf(const_cast<QScreen *>(&screen));
        if (screens.size() == static_cast<qsizetype>(outputs.size()) && index >= 0)
            found = &outputs[static_cast<size_t>(index)];
    }
    if (!found || found->mode.isEmpty())
        return std::nullopt;
    // A turned output shows its mode on its side.
    const QSize mode = found->transform % 2 == 1 ? found->mode.transposed() : found->mode;
    // Qt's scale is the output's rounded up: a mode that does not fit it is another
    // output's (a wrong match after outputs came and went), and Qt's own sizes stand.
    const int logicalWidth = screen.geometry().width();
    const qreal ratio = logicalWidth > 0 ? qreal(mode.width()) / logicalWidth : 0.0;
    if (ratio <= screen.devicePixelRatio() - 1.0 || ratio > screen.devicePixelRatio() + 0.01)
        return std::nullopt;
    return mode;
}

} // namespace basPlatform

} // namespace quillon
