#include "platform/http_transport.h"

#include <curl/curl.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "platform/quit_signals.h"

namespace {

HttpLimits g_limits;
CURL* g_handle = nullptr;

struct Exchange {
  HttpBody* body;
  CURL* handle;
  int64_t maxBody;
  bool sawStatusLine = false;
  // A connection (new or reused, TLS included) is ready and the request is
  // about to go.
  bool connected = false;
  bool lengthChecked = false;
  bool overCap = false;
  bool abandoned = false;
};

// Replaces the body's block by one of `capacity` bytes plus the terminator,
// keeping what was received.
bool Resize(HttpBody* body, int64_t capacity) {
  void* block = std::realloc(body->data, static_cast<size_t>(capacity) + 1);
  if (block == nullptr) return false;
  body->data = static_cast<uint8_t*>(block);
  body->capacity = static_cast<int32_t>(capacity);
  return true;
}

// An announced length beyond the block takes a block of exactly that size;
// a body that outgrows its block doubles it, up to the cap.
size_t Receive(char* bytes, size_t size, size_t count, void* context) {
  Exchange* exchange = static_cast<Exchange*>(context);
  HttpBody* body = exchange->body;
  const size_t length = size * count;
  if (!exchange->lengthChecked) {
    exchange->lengthChecked = true;
    curl_off_t announced = -1;
    curl_easy_getinfo(exchange->handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    if (announced > exchange->maxBody) {
      exchange->overCap = true;
      return 0;
    }
    if (announced > body->capacity && body->received == 0) {
      std::free(body->data);
      body->data = nullptr;
      if (!Resize(body, announced)) return 0;
    }
  }
  const int64_t needed = int64_t{body->received} + static_cast<int64_t>(length);
  if (needed > exchange->maxBody) {
    exchange->overCap = true;
    return 0;
  }
  if (needed > body->capacity) {
    const int64_t grown = std::min<int64_t>(std::max<int64_t>(needed, int64_t{body->capacity} * 2), exchange->maxBody);
    if (!Resize(body, grown)) return 0;
  }
  if (length > 0) std::memcpy(body->data + body->received, bytes, length);
  body->received = static_cast<int32_t>(needed);
  return length;
}

size_t Header(char* bytes, size_t size, size_t count, void* context) {
  const size_t length = size * count;
  if (length >= 5 && std::memcmp(bytes, "HTTP/", 5) == 0) static_cast<Exchange*>(context)->sawStatusLine = true;
  return length;
}

// Called as bytes move and, while none do, about once a second.
int Progress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  Exchange* exchange = static_cast<Exchange*>(context);
  exchange->abandoned = QuitSignals_Received();
  return exchange->abandoned ? 1 : 0;
}

int Connected(void* context, char*, char*, int, int) {
  static_cast<Exchange*>(context)->connected = true;
  return CURL_PREREQFUNC_OK;
}

CURL* Handle() {
  if (g_handle != nullptr) return g_handle;
  static const bool started = [] {
    // A peer that closes early must end the transfer with an error, not the
    // program.
    struct sigaction current {};
    if (sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) std::signal(SIGPIPE, SIG_IGN);
    return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  }();
  if (started) g_handle = curl_easy_init();
  return g_handle;
}

// An answer that is no HTTP at all is also "unsupported", but comes after
// connecting.
bool IsAddressFault(CURLcode code, const Exchange& exchange) {
  return code == CURLE_URL_MALFORMAT || (code == CURLE_UNSUPPORTED_PROTOCOL && !exchange.connected);
}

// A failed TLS handshake counts as connected: the server was reached.
bool IsConnectFault(CURLcode code, const Exchange& exchange) {
  if (code == CURLE_COULDNT_RESOLVE_PROXY || code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_CONNECT) {
    return true;
  }
  return code == CURLE_OPERATION_TIMEDOUT && !exchange.connected;
}

void Terminate(HttpBody* body) {
  if (body->data == nullptr) Resize(body, 0);
  if (body->data != nullptr) body->data[body->received] = 0;
}

}  // namespace

void HttpTransport_SetLimits(const HttpLimits& limits) { g_limits = limits; }

std::string HttpTransport_EncodeAddress(const char* url) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (const char* p = url; *p != 0 && *p != '#'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    if (byte == ' ' || byte > 0x7F) {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 15];
    } else {
      encoded += static_cast<char>(byte);
    }
  }
  return encoded;
}

HttpOutcome HttpTransport_Exchange(const char* url, const char* body, size_t bodyLength, HttpBody* into) {
  HttpOutcome outcome;
  CURL* handle = Handle();
  if (handle == nullptr) {
    outcome.stage = HttpStage::kSession;
    outcome.message = curl_easy_strerror(CURLE_FAILED_INIT);
    Terminate(into);
    return outcome;
  }
  curl_easy_reset(handle);
  const std::string address = HttpTransport_EncodeAddress(url == nullptr ? "" : url);
  Exchange exchange{into, handle, g_limits.maxBodyBytes};
  curl_easy_setopt(handle, CURLOPT_URL, address.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_USERAGENT, "Korvalith HTTP");
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, g_limits.maxRedirects);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, g_limits.connectSeconds);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, g_limits.stallSeconds);
  curl_easy_setopt(handle, CURLOPT_TIMEOUT, g_limits.totalSeconds);
  curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, Progress);
  curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &exchange);
  curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(g_limits.maxBodyBytes));
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, Receive);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &exchange);
  curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, Header);
  curl_easy_setopt(handle, CURLOPT_HEADERDATA, &exchange);
  curl_easy_setopt(handle, CURLOPT_PREREQFUNCTION, Connected);
  curl_easy_setopt(handle, CURLOPT_PREREQDATA, &exchange);
  curl_slist* headers = nullptr;
  if (body != nullptr) {
    headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");
    // The body goes at once, without waiting for the server's consent.
    headers = curl_slist_append(headers, "Expect:");
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(bodyLength));
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, body);
  } else {
    curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
  }

  const CURLcode code = curl_easy_perform(handle);
  long status = 0;
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
  outcome.status = static_cast<int32_t>(status);
  if (code != CURLE_OK) {
    outcome.abandoned = exchange.abandoned;
    outcome.message = exchange.abandoned ? "Abandoned as the game quits"
                                         : curl_easy_strerror(exchange.overCap ? CURLE_FILESIZE_EXCEEDED : code);
    if (IsAddressFault(code, exchange)) {
      outcome.stage = HttpStage::kAddress;
    } else if (!exchange.sawStatusLine) {
      outcome.stage = IsConnectFault(code, exchange) ? HttpStage::kConnect : HttpStage::kSend;
    } else {
      outcome.stage = HttpStage::kRead;
    }
    into->received = 0;
  }
  // The options point at this call's text and headers.
  curl_easy_reset(handle);
  curl_slist_free_all(headers);
  Terminate(into);
  return outcome;
}

void HttpTransport_Close() {
  if (g_handle != nullptr) curl_easy_cleanup(g_handle);
  g_handle = nullptr;
}
