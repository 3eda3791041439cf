#pragma once
// A set window of 40 x 30 with a recent-file list, a temporary folder for its
// files and an old set file to save over, for the tests of files when the
// file system says no. The cases that rest on permissions run in a child
// process that has dropped to the user nobody.

#include "support/child_process.h"
#include "support/set_window.h"
#include "support/temp_folder.h"

#include <functional>
#include <string>

// The file that stands where a save goes.
inline const Bytes kOldFile = SetFileBytes(-0.5, 0.5, -0.25, 0.25, 77, 3);

class SetFileFixture : public SetWindowTest {
protected:
    void SetUp() override {
        SetWindowTest::SetUp();
        app.LoadStdProfileSettings(3);
        view = NewView(40, 30);
    }

    // Runs body as the user nobody in a child process; "skip" when the
    // process cannot become that user.
    std::string AsUnprivilegedUser(const std::function<std::string()>& body) {
        const auto out = RunInChild([&]() -> std::string {
            if (!DropToUnprivilegedUser())
                return "skip";
            return body();
        });
        EXPECT_TRUE(out.has_value()) << "the child process failed";
        return out.value_or("failed");
    }

    TempFolder folder;
    CQuirl32View* view = nullptr;
};
