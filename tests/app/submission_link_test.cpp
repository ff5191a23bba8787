#include "app/ui/submission_link.h"
#include "tests/app/app_fixture.h"

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

using F = Preferences::Field;

// What Insert Description learns of Generate: the page, an upload that failed, or a refusal
// that Generate has already told the seller about; each once.
TEST_F(AppProgram, SubmissionGenerationReportsEachOutcomeOnce)
{
    start();
    SubmissionLink link(program, ds, {[] {}, [] {}, [] {}});
    QList<std::pair<DescriptionOutcome, QString>> outcomes;
    auto record = [&outcomes](DescriptionOutcome o, const QString& page) { outcomes.append({o, page}); };

    ad().setText(AdRecord::Text::Title, u"Brass lamp"_s);
    link.generateForSubmission(record);
    ASSERT_EQ(outcomes.size(), 1);
    EXPECT_EQ(outcomes[0].first, DescriptionOutcome::Generated);
    EXPECT_EQ(outcomes[0].second, ds.clipboardText());
    EXPECT_TRUE(outcomes[0].second.contains(u"Brass lamp"_s));
    EXPECT_TRUE(ds.messageTitles().isEmpty()) << "no \"generated\" message in submission mode";

    // The weight check refuses: only its own message, the clipboard untouched.
    ad().setText(AdRecord::Text::Pounds, {});
    ad().setText(AdRecord::Text::Ounces, {});
    prefs().setFlag(F::ShowCalc, true);
    ds.setClipboardText(u"before"_s);
    link.generateForSubmission(record);
    ASSERT_EQ(outcomes.size(), 2);
    EXPECT_EQ(outcomes[1].first, DescriptionOutcome::Refused);
    EXPECT_EQ(ds.clipboardText(), u"before"_s);
    prefs().setFlag(F::ShowCalc, false);

    // An upload that fails is told apart, and a start while it runs is refused at once.
    prefs().setFlag(F::FtpAccess, true);
    prefs().setText(F::FtpServer, u"ftp.example"_s);
    prefs().copyFtpAccount();
    state.pictures.setText(0, u"/home/seller/lamp.jpg"_s);
    auto* upload = new FakeUpload;
    program.setPictureUpload(std::unique_ptr<PictureUpload>(upload));
    link.generateForSubmission(record);
    ASSERT_EQ(upload->starts, 1);
    link.generateForSubmission(record);
    ASSERT_EQ(outcomes.size(), 3);
    EXPECT_EQ(outcomes[2].first, DescriptionOutcome::Refused);
    Q_EMIT upload->finished(false, u"FTP Error"_s, u"The transfer was aborted."_s);
    ASSERT_EQ(outcomes.size(), 4);
    EXPECT_EQ(outcomes[3].first, DescriptionOutcome::UploadAborted);
    EXPECT_EQ(ds.clipboardText(), u"before"_s);

    // Later generations of the main window reach the finished runs no more.
    program.startGenerate(GenerateMode::PreviewPage);
    EXPECT_EQ(outcomes.size(), 4);
}

} // namespace
} // namespace lw::test
