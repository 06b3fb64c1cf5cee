#include "platform/VolumeMounts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorn_test {

namespace {

using Paths = std::vector<std::string>;

TEST(VolumeMounts, ListRealFileSystemsOnceEachByTheirDecodedPathsAndAlwaysTheRoot) {
    const struct {
        const char* mountinfo;
        Paths paths;
    } cases[] = {
        {"22 27 0:21 / /proc rw,relatime - proc proc rw\n"
         "24 27 0:6 / /dev rw,relatime - devtmpfs devtmpfs rw,size=123k\n"
         "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
         "41 31 0:38 / /sys/fs/cgroup/unified rw,relatime - cgroup2 cgroup2 rw\n"
         "50 27 8:2 / /home rw,relatime shared:1 master:2 - ext4 /dev/sda2 rw\n"
         "51 27 0:50 / /net/share rw - nfs4 server:/export rw\n"
         "52 27 0:51 / /mnt/smb rw - cifs //host/share rw\n"
         "53 27 0:52 / /mnt/remote rw - fuse.sshfs user@host: rw\n"
         "54 27 7:0 / /snap/core/1 ro - squashfs /dev/loop0 ro\n"
         "55 27 0:53 / /var/lib/docker/overlay2/x/merged rw - overlay overlay rw\n"
         "56 27 0:54 / /run/user/0 rw - tmpfs tmpfs rw\n",
         {"/", "/home", "/mnt/remote", "/mnt/smb", "/net/share"}},
        {"60 27 8:17 / /media/usb\\040stick rw - vfat /dev/sdb1 rw\n"
         "61 27 8:18 / /media/tab\\011and\\134slash rw - vfat /dev/sdb2 rw\n",
         {"/", "/media/tab\tand\\slash", "/media/usb stick"}},
        {"27 1 0:40 / / rw - overlay overlay rw\n"
         "70 27 8:1 /data /srv/data rw - ext4 /dev/sda1 rw\n"
         "71 70 8:1 /data /srv/data rw - ext4 /dev/sda1 rw\n"
         "72 27 8:1 /data /srv/copy rw - ext4 /dev/sda1 rw\n",
         {"/", "/srv/copy", "/srv/data"}},
        {"", {"/"}},
        {"garbage without fields\n- \n", {"/"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::ParseVolumeMounts(c.mountinfo), c.paths) << c.mountinfo;
    }
}

} // namespace

} // namespace vorn_test
