// The X server's screen sizes and their rates, through the RandR extension's
// screen configurations. The colour depth is the root window's and never
// changes; a depth of 24 is reported as 32, the padding byte unnamed.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "platform/screen_modes.h"
#include "platform/switches.h"

namespace {

// A server that names no rate for a size runs it at the usual 60.
constexpr int32_t kUnnamedRate = 60;

// A refused request comes back as an X error, whose default handler would
// end the process: while a mode is applied errors are only counted.
int g_errors = 0;
int CountError(Display*, XErrorEvent*) {
  ++g_errors;
  return 0;
}

class XRandrModes : public IScreenModes {
 public:
  explicit XRandrModes(Display* display)
      : display_(display), root_(DefaultRootWindow(display)), bits_(DefaultDepth(display, DefaultScreen(display))) {
    if (bits_ == 24) bits_ = 32;
  }
  ~XRandrModes() override { XCloseDisplay(display_); }
  XRandrModes(const XRandrModes&) = delete;
  XRandrModes& operator=(const XRandrModes&) = delete;

  bool Current(ScreenMode* mode) override {
    XRRScreenConfiguration* config = XRRGetScreenInfo(display_, root_);
    if (config == nullptr) return false;
    int count = 0;
    XRRScreenSize* sizes = XRRConfigSizes(config, &count);
    Rotation rotation = 0;
    const SizeID id = XRRConfigCurrentConfiguration(config, &rotation);
    const short rate = XRRConfigCurrentRate(config);
    const bool found = sizes != nullptr && id < count;
    if (found) *mode = ScreenMode{sizes[id].width, sizes[id].height, rate > 0 ? rate : kUnnamedRate, bits_};
    XRRFreeScreenConfigInfo(config);
    return found;
  }

  std::vector<ScreenMode> Listed() override {
    std::vector<ScreenMode> modes;
    XRRScreenConfiguration* config = XRRGetScreenInfo(display_, root_);
    if (config == nullptr) return modes;
    int count = 0;
    XRRScreenSize* sizes = XRRConfigSizes(config, &count);
    for (int i = 0; sizes != nullptr && i < count; ++i) {
      int rateCount = 0;
      short* rates = XRRConfigRates(config, i, &rateCount);
      if (rateCount <= 0) modes.push_back(ScreenMode{sizes[i].width, sizes[i].height, kUnnamedRate, bits_});
      for (int r = 0; r < rateCount; ++r) {
        modes.push_back(ScreenMode{sizes[i].width, sizes[i].height, rates[r] > 0 ? rates[r] : kUnnamedRate, bits_});
      }
    }
    XRRFreeScreenConfigInfo(config);
    return modes;
  }

  bool Apply(const ScreenMode& mode) override {
    XRRScreenConfiguration* config = XRRGetScreenInfo(display_, root_);
    if (config == nullptr) return false;
    int count = 0;
    XRRScreenSize* sizes = XRRConfigSizes(config, &count);
    Rotation rotation = 0;
    XRRConfigCurrentConfiguration(config, &rotation);
    Status status = RRSetConfigFailed;
    g_errors = 0;
    XSync(display_, False);
    XErrorHandler previous = XSetErrorHandler(CountError);
    for (int i = 0; sizes != nullptr && i < count; ++i) {
      if (sizes[i].width != mode.width || sizes[i].height != mode.height) continue;
      int rateCount = 0;
      XRRConfigRates(config, i, &rateCount);
      status = rateCount > 0 ? XRRSetScreenConfigAndRate(display_, config, root_, i, rotation,
                                                         static_cast<short>(mode.frequency), CurrentTime)
                             : XRRSetScreenConfig(display_, config, root_, i, rotation, CurrentTime);
      break;
    }
    XRRFreeScreenConfigInfo(config);
    XSync(display_, False);
    XSetErrorHandler(previous);
    return status == RRSetConfigSuccess && g_errors == 0;
  }

 private:
  Display* display_;
  Window root_;
  int32_t bits_;
};

}  // namespace

std::unique_ptr<IScreenModes> ScreenModes_OpenX() {
  if (Switches_Get().headless) return nullptr;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return nullptr;
  int eventBase = 0, errorBase = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase)) {
    XCloseDisplay(display);
    return nullptr;
  }
  return std::make_unique<XRandrModes>(display);
}
