#include "app/command_line.h"

#include "app/headless_desktop_services.h"
#include "app/password_keeper.h"
#include "app/program.h"
#include "core/models/shared_state.h"
#include "pictures/curl_upload.h"
#include "pictures/upload_plan.h"
#include "sitecheck/site_check.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace lw {

QString usageText()
{
    return u"Usage: Listwright [AD.zad]\n"
           u"       Listwright --generate [--preview] [AD.zad]\n"
           u"       Listwright --check [--format json] [AD.zad]\n"
           u"\n"
           u"Writes auction ads from the page templates of the installation folder.\n"
           u"\n"
           u"  AD.zad        the ad file to open at start-up\n"
           u"  --generate    generate the ad without a window and write the page to standard output\n"
           u"  --preview     with --generate: the preview page (local pictures, no upload)\n"
           u"  --check       check the page Generate would make against the auction site's rules\n"
           u"                (nothing uploaded): one finding a line, \"KIND: RULE: WHERE: TEXT\"\n"
           u"  --format json with --check: the findings as JSON\n"
           u"  --help        show this help\n"
           u"  --version     show the version\n"
           u"\n"
           u"The installation folder is $LISTWRIGHT_HOME when set, else the program's folder; an\n"
           u"installed program reads share/listwright and keeps your files in ~/.config/listwright.\n"
           u"Messages go to standard error as \"TITLE: TEXT\". Exit status: 0 when the page was\n"
           u"produced, 1 when it was not, 2 on a usage error. --check: 0 when the site would reject\n"
           u"nothing, 1 when it would reject something or the ad could not be made.\n"_s;
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    // Qt's own options (-platform offscreen, -style Fusion ...) are the toolkit's to read.
    static const QStringList qtWithValue = {u"-platform"_s,        u"-platformpluginpath"_s,
                                            u"-platformtheme"_s,   u"-plugin"_s,
                                            u"-qwindowgeometry"_s, u"-qwindowicon"_s,
                                            u"-qwindowtitle"_s,    u"-style"_s,
                                            u"-stylesheet"_s,      u"-display"_s,
                                            u"-geometry"_s,        u"-session"_s};
    static const QStringList qtFlags = {u"-reverse"_s, u"-widgetcount"_s, u"-nograb"_s, u"-dograb"_s,
                                        u"-sync"_s};
    CommandLine c;
    bool generate = false;
    bool check = false;
    QString format;
    bool formatNext = false;
    bool optionsEnded = false;
    bool skipValue = false;
    for (const QString& a : arguments) {
        if (skipValue) {
            skipValue = false;
            continue;
        }
        if (formatNext) {
            formatNext = false;
            format = a;
            continue;
        }
        if (!optionsEnded && qtWithValue.contains(a)) {
            skipValue = true;
        } else if (!optionsEnded && qtFlags.contains(a)) {
            continue;
        } else if (!optionsEnded && a == u"--") {
            optionsEnded = true;
        } else if (!optionsEnded && (a == u"--help" || a == u"-h")) {
            c.mode = CommandLine::Mode::Help;
            return c;
        } else if (!optionsEnded && a == u"--version") {
            c.mode = CommandLine::Mode::Version;
            return c;
        } else if (!optionsEnded && a == u"--generate") {
            generate = true;
        } else if (!optionsEnded && a == u"--preview") {
            c.preview = true;
        } else if (!optionsEnded && a == u"--check") {
            check = true;
        } else if (!optionsEnded && a == u"--format") {
            formatNext = true;
            format = u""_s; // a missing value is no format either
        } else if (!optionsEnded && a.startsWith(u"--format=")) {
            format = a.mid(9);
        } else if (!optionsEnded && a.startsWith(u'-') && a.size() > 1) {
            c.mode = CommandLine::Mode::UsageError;
            c.error = u"unknown option "_s + a;
            return c;
        } else if (c.adFile.isEmpty()) {
            c.adFile = a;
        } else {
            c.mode = CommandLine::Mode::UsageError;
            c.error = u"only one ad file can be given"_s;
            return c;
        }
    }
    if (c.preview && !generate) {
        c.mode = CommandLine::Mode::UsageError;
        c.error = u"--preview goes with --generate"_s;
        return c;
    }
    if (check && generate) {
        c.mode = CommandLine::Mode::UsageError;
        c.error = u"--check and --generate are two commands"_s;
        return c;
    }
    if (!format.isNull() && (!check || (format != u"json" && format != u"text"))) {
        c.mode = CommandLine::Mode::UsageError;
        c.error = check ? u"--format takes json or text"_s : u"--format goes with --check"_s;
        return c;
    }
    c.json = format == u"json";
    c.mode = check      ? CommandLine::Mode::Check
             : generate ? CommandLine::Mode::Generate
                        : CommandLine::Mode::Window;
    return c;
}

namespace {

void writeUtf8(std::FILE* to, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), to);
    std::fflush(to);
}

// The ad named on the command line, as the program's start-up opens it.
QString absoluteAdFile(const QString& adFile)
{
    return adFile.isEmpty() ? adFile : QFileInfo(adFile).absoluteFilePath();
}

// The findings of the page Generate would make, to `out`; the command's exit status.
int reportCheck(Program& program, const QString& adFile, bool json, std::FILE* out, std::FILE* messages)
{
    QString error;
    const std::optional<GeneratorInput> in = program.generateInput(&error);
    const SiteRules& rules = ebayRules();
    const SiteCheckResult result = in ? checkAd(*in, rules) : SiteCheckResult{false, error, {}, false};
    if (!result.ok) {
        writeUtf8(messages,
                  u"Listwright: the ad could not be made, so it was not checked: "_s + result.error + u'\n');
        return 1;
    }
    if (json) {
        QJsonArray findings;
        for (const Finding& f : result.findings)
            findings.append(
                QJsonObject{{u"kind"_s, kindName(f.kind)},
                            {u"rule"_s, f.rule},
                            {u"where"_s, f.where()},
                            {u"text"_s, f.text},
                            {u"fix"_s, f.fix == FixKind::None ? QJsonValue() : QJsonValue(f.fixName())}});
        const QJsonObject report{{u"site"_s, rules.name},
                                 {u"file"_s, adFile},
                                 {u"rejected"_s, result.count(FindingKind::Rejected)},
                                 {u"risky"_s, result.count(FindingKind::Risky)},
                                 {u"advice"_s, result.count(FindingKind::Advice)},
                                 {u"findings"_s, findings}};
        writeUtf8(out, QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Indented)));
    } else {
        QString lines;
        for (const Finding& f : result.findings)
            lines += kindName(f.kind) + u": "_s + f.rule + u": "_s + f.where() + u": "_s + f.text + u'\n';
        writeUtf8(out, lines);
    }
    return result.count(FindingKind::Rejected) > 0 ? 1 : 0;
}

// Runs `command` once the keyring has answered, inside the event loop, and ends the loop when the
// keyring has every password it was given; the command's exit status.
int runWithKeyring(SharedState& state, const std::function<void(std::function<void(int)> finish)>& command)
{
    PasswordKeeper keeper(state);
    int status = 1;
    auto finish = [&status, &keeper](int result) {
        status = result;
        if (keeper.isIdle())
            QCoreApplication::quit();
        else
            QObject::connect(&keeper, &PasswordKeeper::idle, &keeper, [] { QCoreApplication::quit(); });
    };
    QObject::connect(&keeper, &PasswordKeeper::ready, &keeper, [&command, finish] { command(finish); });
    // Started from inside the loop, so a command that ends at once still ends it.
    QTimer::singleShot(0, &keeper, [&keeper] { keeper.start(); });
    QCoreApplication::exec();
    return status;
}

} // namespace

int runGenerateCommand(const CommandLine& command, std::FILE* out, std::FILE* messages)
{
    HeadlessDesktopServices ds(messages);
    SharedState state;
    Program program(state, ds);
    const QString adFile = absoluteAdFile(command.adFile);
    return runWithKeyring(state, [&](std::function<void(int)> finish) {
        if (!program.startup(adFile))
            return finish(1);
        // No window to watch: the upload says on standard error which picture is on its way.
        auto upload = std::make_unique<CurlUpload>();
        QObject::connect(upload.get(), &PictureUpload::itemStarted, upload.get(),
                         [messages, u = upload.get()](int i) {
                             writeUtf8(messages, uploadItemCaption(u->request().items.value(i)) + u'\n');
                         });
        program.setPictureUpload(std::move(upload));
        QObject::connect(&program, &Program::generated, &program,
                         [out, finish](GenerateMode, const QString& page) {
                             writeUtf8(out, page);
                             finish(0);
                         });
        QObject::connect(&program, &Program::failed, &program, [finish] { finish(1); });
        program.startGenerate(command.preview ? GenerateMode::PreviewPage : GenerateMode::Generate);
    });
}

int runCheckCommand(const CommandLine& command, std::FILE* out, std::FILE* messages)
{
    HeadlessDesktopServices ds(messages);
    SharedState state;
    Program program(state, ds);
    const QString adFile = absoluteAdFile(command.adFile);
    return runWithKeyring(state, [&](std::function<void(int)> finish) {
        finish(program.startup(adFile) ? reportCheck(program, adFile, command.json, out, messages) : 1);
    });
}

} // namespace lw
