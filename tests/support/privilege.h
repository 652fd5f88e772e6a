// Permission bits that bind even when the tests run as root: an unprivileged effective user for a scope.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

namespace testing_support {

// As root the permission bits do not bind: for the guard's life the effective user is an
// unprivileged one. The saved user stays root, so the guard can return to it.
class WithoutPrivilege {
 public:
  static constexpr uid_t UNPRIVILEGED_UID = 65534;
  WithoutPrivilege() : dropped_(geteuid() == 0 && setresuid(-1, UNPRIVILEGED_UID, -1) == 0) {}
  ~WithoutPrivilege() {
    if (dropped_ && setresuid(-1, 0, -1) != 0) ADD_FAILURE() << "could not return to the root user";
  }
  WithoutPrivilege(const WithoutPrivilege&) = delete;
  WithoutPrivilege& operator=(const WithoutPrivilege&) = delete;
  bool permissions_bind() const { return geteuid() != 0; }

 private:
  bool dropped_;
};

}  // namespace testing_support
