#pragma once

#include "app/program.h"
#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "pictures/picture_upload.h"
#include "tests/testlib/test_install.h"

#include <QDir>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace lw::test {

// An upload that finishes when the test says so, as a real transfer does later.
class FakeUpload : public PictureUpload
{
public:
    void startUpload(const UploadRequest& request) override
    {
        ++starts;
        last = request;
    }
    // As a real transfer: the end follows the abort.
    void abort() override
    {
        ++aborts;
        Q_EMIT finished(false, {}, QStringLiteral("aborted"));
    }
    int starts = 0, aborts = 0;
    UploadRequest last;
};

// A started program over a private installation, with a scripted desktop.
class AppProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ds.setTempFolder(install.path() + QStringLiteral("/tmp/"));
        QDir().mkpath(install.path() + QStringLiteral("/tmp"));
    }
    void start(const QString& adFile = {})
    {
        program.startup(adFile);
        ds.clearRecords();
    }
    // Runs a generation that needs no upload; true when it produced the page.
    bool generate(GenerateMode mode = GenerateMode::Generate)
    {
        QSignalSpy done(&program, &Program::generated);
        program.startGenerate(mode);
        return done.count() == 1;
    }
    AdRecord& ad() { return state.ad; }
    Preferences& prefs() { return state.prefs; }
    // FTP upload on, to this account, the pictures linked at `webUrl`.
    void useFtp(const Preferences::FtpAccount& account, const QString& webUrl)
    {
        using F = Preferences::Field;
        prefs().setFlag(F::FtpAccess, true);
        prefs().setText(F::FtpServer, account.server);
        prefs().setText(F::FtpPort, account.port);
        prefs().setText(F::FtpUserName, account.userName);
        prefs().setText(F::FtpPassword, account.password);
        prefs().setText(F::FtpRemoteFolder, account.remoteFolder);
        prefs().copyFtpAccount();
        prefs().setText(F::WebUrl, webUrl);
    }

    TestInstall install;
    ScriptedDesktopServices ds;
    SharedState state;
    Program program{state, ds};
};

} // namespace lw::test
