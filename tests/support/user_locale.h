#pragma once

#include <locale.h>
#include <stdlib.h>

#include <optional>
#include <string>

namespace tesmora::testing {

// Whether the system has the locale, for tests that need a real one.
inline bool LocaleInstalled(const char* name) {
  const locale_t probe = ::newlocale(LC_COLLATE_MASK, name, static_cast<locale_t>(nullptr));
  if (probe == static_cast<locale_t>(nullptr)) return false;
  ::freelocale(probe);
  return true;
}

// Makes `name` the user's locale (LC_ALL) for its lifetime, then puts back
// what was there.
class UserLocale {
 public:
  explicit UserLocale(const char* name) {
    if (const char* old = std::getenv("LC_ALL")) old_ = old;
    ::setenv("LC_ALL", name, 1);
  }
  ~UserLocale() {
    if (old_) {
      ::setenv("LC_ALL", old_->c_str(), 1);
    } else {
      ::unsetenv("LC_ALL");
    }
  }
  UserLocale(const UserLocale&) = delete;
  UserLocale& operator=(const UserLocale&) = delete;

 private:
  std::optional<std::string> old_;
};

}  // namespace tesmora::testing
