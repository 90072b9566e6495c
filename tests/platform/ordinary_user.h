#pragma once
// Permission bits do not stop root. A test that needs a folder or a file the program may not
// write runs that step as an ordinary user: run as root, the process acts as "nobody" for the
// object's lifetime and then as root again (its saved user id stays root, so it may return).
// Run as anybody else, nothing changes.

#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace tally::test {

class TAsOrdinaryUser {
public:
    TAsOrdinaryUser() {
        if (::geteuid() != 0) return;
        const passwd* nobody = ::getpwnam("nobody");
        const group* nogroup = ::getgrnam("nogroup");
        const gid_t gid = nogroup != nullptr ? nogroup->gr_gid : 65534;
        const uid_t uid = nobody != nullptr ? nobody->pw_uid : 65534;
        groupSwitched_ = ::setegid(gid) == 0;
        userSwitched_ = groupSwitched_ && ::seteuid(uid) == 0;
        EXPECT_TRUE(userSwitched_) << "root could not act as an ordinary user";
    }
    ~TAsOrdinaryUser() {
        if (userSwitched_) {
            EXPECT_EQ(::seteuid(0), 0);
        }
        if (groupSwitched_) {
            EXPECT_EQ(::setegid(0), 0);
        }
    }
    TAsOrdinaryUser(const TAsOrdinaryUser&) = delete;
    TAsOrdinaryUser& operator=(const TAsOrdinaryUser&) = delete;

private:
    bool groupSwitched_ = false;
    bool userSwitched_ = false;
};

}  // namespace tally::test
