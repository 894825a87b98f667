#include "shell/version_download.h"

#include <curl/curl.h>

#include "ui/system.h"

#ifndef ZM_VERSION_HOST
#define ZM_VERSION_HOST ""
#endif

std::string versionHost = ZM_VERSION_HOST;

namespace {

const char* const versionFile = "__ver__";
constexpr size_t bodyLimit = 4096;

struct Body {
  std::string bytes;
  bool full = false;
};

size_t collect(char* data, size_t size, size_t count, void* user) {
  Body* body = static_cast<Body*>(user);
  size_t n = size * count;
  size_t room = bodyLimit - body->bytes.size();
  if (n > room) {
    body->bytes.append(data, room);
    body->full = true;
    return 0;   // enough read: the rest is not needed
  }
  body->bytes.append(data, n);
  return n;
}

bool download(const std::string& host, std::string& out) {
  if (host.empty()) return false;
  static bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  if (!ready) return false;
  CURL* curl = curl_easy_init();
  if (!curl) return false;
  Body body;
  std::string url = "http://" + host + "/version.txt";
  curl_slist* headers = nullptr;
  headers = curl_slist_append(headers, "Accept: */*");
  headers = curl_slist_append(headers, "Connection: close");
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "*");
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, 3000L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, 5000L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
  CURLcode result = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
  bool ok = status == 200 && (result == CURLE_OK || (result == CURLE_WRITE_ERROR && body.full));
  if (ok) out = body.bytes;
  return ok;
}

// The number at the start of the first line; false when it has none.
bool firstLineNumber(const std::string& text, int& value) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
  long long n = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (n < 10000000000LL) n = n * 10 + (text[i] - '0');
  if (negative) n = -n;
  if (n > 2147483647LL) n = 2147483647LL;
  if (n < -2147483647LL - 1) n = -2147483647LL - 1;
  value = int(n);
  return true;
}

}  // namespace

bool fetchServerVersion(int& version) {
  std::string body;
  bool ok = download(versionHost, body) && writeFile(versionFile, body);
  std::string stored;
  ok = ok && readFile(versionFile, stored) && firstLineNumber(stored, version);
  deleteFile(versionFile);
  return ok;
}
