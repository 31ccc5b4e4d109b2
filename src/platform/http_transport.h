// One blocking HTTP exchange over libcurl: a GET, or a POST of a form body,
// with the answer's status and body. One handle is kept for the whole run so
// connections to the same server are reused. The transfer is bounded: a
// connection that cannot be made in time, a server that goes silent, an
// exchange that outlasts its overall time, a loop of redirects and a body
// beyond the cap all end it with a failure, so no request holds the game for
// ever; and a quit signal (platform/quit_signals.h) that comes meanwhile
// abandons it within a second.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The body lands here. The block comes from the general heap (malloc), holds
// capacity bytes and one more for the zero written after what was received,
// and is replaced by a larger one when the body needs it.
struct HttpBody {
  uint8_t* data = nullptr;
  int32_t capacity = 0;
  int32_t received = 0;
};

// Where an exchange stopped, by what had happened so far.
enum class HttpStage : int32_t {
  kDone,
  kSession,  // no handle could be made
  kAddress,  // the address is unusable
  kConnect,  // no connection was made
  kSend,     // connected, but no status line came back
  kRead,     // the answer broke off after its status line
};

struct HttpOutcome {
  HttpStage stage = HttpStage::kDone;
  // Ended because the game is quitting (the stage says how far it came).
  bool abandoned = false;
  // libcurl's text for the failure; "" when done.
  const char* message = "";
  // The last answer's status code, 0 when none came.
  int32_t status = 0;
};

struct HttpLimits {
  long connectSeconds = 30;
  // Abandoned when fewer than one byte a second arrive for this long.
  long stallSeconds = 60;
  // The whole exchange, connection and redirects included, however its
  // bytes trickle in.
  long totalSeconds = 60;
  long maxRedirects = 10;
  int64_t maxBodyBytes = int64_t{256} << 20;
};

// Tests shorten the limits; every later exchange uses them.
void HttpTransport_SetLimits(const HttpLimits& limits);

// body == nullptr makes a GET; otherwise a POST of bodyLength bytes sent as
// "application/x-www-form-urlencoded". On a read failure the body keeps
// nothing (received 0). After every exchange a zero follows the received
// bytes.
HttpOutcome HttpTransport_Exchange(const char* url, const char* body, size_t bodyLength, HttpBody* into);

// Spaces and bytes above 0x7F before the fragment become %XX; the fragment
// is left off, as it is never sent.
std::string HttpTransport_EncodeAddress(const char* url);

// Ends the kept handle (its connections close); the next exchange makes a
// new one.
void HttpTransport_Close();
