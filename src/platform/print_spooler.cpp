#include "platform/print_spooler.h"

#include <cups/cups.h>

#include <memory>

namespace tesmora::platform {
namespace {

constexpr int kConnectTimeoutMs = 3000;

struct DestFree {
  void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};

bool SpoolerAnswers() {
  http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              kConnectTimeoutMs, nullptr);
  if (http == nullptr) return false;
  httpClose(http);
  return true;
}

std::string OptionOf(const cups_dest_t& dest, const char* name) {
  const char* value = cupsGetOption(name, dest.num_options, dest.options);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

PrinterState AskSpoolerAbout(const std::string& printerName) {
  const std::size_t slash = printerName.find('/');
  const std::string queue = printerName.substr(0, slash);
  const std::string instance =
      slash == std::string::npos ? std::string() : printerName.substr(slash + 1);
  const std::unique_ptr<cups_dest_t, DestFree> dest(cupsGetNamedDest(
      CUPS_HTTP_DEFAULT, queue.c_str(), instance.empty() ? nullptr : instance.c_str()));
  if (!dest) {
    const std::string reason = cupsLastErrorString();
    // The spooler says "no such printer" also when nobody answered: ask the
    // server itself to tell the two apart. The library's words for a server
    // that is not there ("Host is down" for a local socket) would mislead.
    if (!SpoolerAnswers()) return {PrinterReadiness::NoSpooler, {}};
    return {PrinterReadiness::Unknown, reason};
  }
  if (OptionOf(*dest, "printer-is-accepting-jobs") == "false") {
    return {PrinterReadiness::Refusing, OptionOf(*dest, "printer-state-message")};
  }
  return {PrinterReadiness::Ready, {}};
}

SpoolerAnswer LastSpoolerAnswer() {
  if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return {true, {}};
  return {false, cupsLastErrorString()};
}

}  // namespace tesmora::platform
