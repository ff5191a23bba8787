#include "app/command_line.h"

#include "app/headless_desktop_services.h"
#include "app/password_keeper.h"
#include "app/program.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "pictures/address_check.h"
#include "pictures/curl_upload.h"
#include "pictures/picture_preparation.h"
#include "pictures/upload_plan.h"
#include "sitecheck/site_check.h"
#include "sitecheck/template_pictures.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

using namespace Qt::StringLiterals;

namespace lw {

QString usageText()
{
    return u"Usage: Listwright [AD.zad]\n"
           u"       Listwright --generate [--preview] [--no-verify] [AD.zad]\n"
           u"       Listwright --generate [--preview] [--no-verify] --output-dir DIR AD.zad...\n"
           u"       Listwright --check [--format json] [AD.zad...]\n"
           u"\n"
           u"Writes auction ads from the page templates of the installation folder.\n"
           u"\n"
           u"  AD.zad        the ad file to open at start-up\n"
           u"  --generate    generate the ad without a window and write the page to standard output\n"
           u"  --preview     with --generate: the preview page (local pictures, no upload)\n"
           u"  --no-verify   with --generate: make the page even when uploaded pictures are not\n"
           u"                found at their web addresses\n"
           u"  --output-dir DIR  with --generate: each ad's page to DIR/NAME.html, one line a\n"
           u"                ad on standard error\n"
           u"  --check       check the page Generate would make against the auction site's rules\n"
           u"                (nothing uploaded): one finding a line, \"KIND: RULE: WHERE: TEXT\",\n"
           u"                after \"AD.zad: \" when several ads are named\n"
           u"  --format json with --check: the findings as JSON\n"
           u"  --help        show this help\n"
           u"  --version     show the version\n"
           u"\n"
           u"The installation folder is $LISTWRIGHT_HOME when set, else the program's folder; an\n"
           u"installed program reads share/listwright and keeps your files in ~/.config/listwright.\n"
           u"Messages go to standard error as \"TITLE: TEXT\". Exit status: 0 when the page was\n"
           u"produced (for every ad), 1 when it was not, 2 on a usage error. --check: 0 when the\n"
           u"site would reject nothing, 1 when it would reject something or an ad could not be made.\n"_s;
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
    bool outputDirNext = false;
    bool outputDirGiven = false;
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
        if (outputDirNext) {
            outputDirNext = false;
            c.outputDir = a;
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
        } else if (!optionsEnded && a == u"--no-verify") {
            c.verify = false;
        } else if (!optionsEnded && a == u"--check") {
            check = true;
        } else if (!optionsEnded && a == u"--format") {
            formatNext = true;
            format = u""_s; // a missing value is no format either
        } else if (!optionsEnded && a.startsWith(u"--format=")) {
            format = a.mid(9);
        } else if (!optionsEnded && a == u"--output-dir") {
            outputDirNext = outputDirGiven = true;
        } else if (!optionsEnded && a.startsWith(u"--output-dir=")) {
            outputDirGiven = true;
            c.outputDir = a.mid(13);
        } else if (!optionsEnded && a.startsWith(u'-') && a.size() > 1) {
            c.mode = CommandLine::Mode::UsageError;
            c.error = u"unknown option "_s + a;
            return c;
        } else {
            c.adFiles << a;
        }
    }
    c.adFile = c.adFiles.value(0);
    if (outputDirGiven) {
        const QString wrong = !generate               ? u"--output-dir goes with --generate"_s
                              : c.outputDir.isEmpty() ? u"--output-dir needs a folder"_s
                              : c.adFiles.isEmpty()   ? u"--output-dir needs at least one ad file"_s
                                                      : QString();
        if (!wrong.isEmpty()) {
            c.mode = CommandLine::Mode::UsageError;
            c.error = wrong;
            return c;
        }
    } else if (c.adFiles.size() > 1 && !check) {
        c.mode = CommandLine::Mode::UsageError;
        c.error = generate ? u"several ad files need --output-dir"_s : u"only one ad file can be given"_s;
        return c;
    }
    if ((c.preview || !c.verify) && !generate) {
        c.mode = CommandLine::Mode::UsageError;
        c.error = c.preview ? u"--preview goes with --generate"_s : u"--no-verify goes with --generate"_s;
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

// Asks the keyring for the passwords of the keeper's state and waits for its answer.
void readKeyring(PasswordKeeper& keeper)
{
    bool answered = false;
    QEventLoop loop;
    QObject::connect(&keeper, &PasswordKeeper::ready, &loop, [&answered, &loop] {
        answered = true;
        loop.quit();
    });
    keeper.start();
    if (!answered)
        loop.exec();
}

// Lets a password that start-up moved into the keyring arrive there before the command ends.
void finishKeyring(PasswordKeeper& keeper)
{
    if (keeper.isIdle())
        return;
    QEventLoop loop;
    QObject::connect(&keeper, &PasswordKeeper::idle, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Rendered
{
    bool ok = false;
    QString page;
    QString reason; // the title of the message that stopped it
};

// One ad as the generate command makes it, with a start-up of its own, so that nothing of one ad
// carries over into the next. Messages go to `messages` after `prefix`.
Rendered renderAd(const QString& adFile, GenerateMode mode, bool verify, std::FILE* messages,
                  const QString& prefix)
{
    HeadlessDesktopServices ds(messages, prefix);
    SharedState state;
    Program program(state, ds);
    PasswordKeeper keeper(state);
    readKeyring(keeper);
    Rendered r;
    if (!program.startup(absoluteAdFile(adFile))) {
        r.reason = ds.lastTitle();
        finishKeyring(keeper);
        return r;
    }
    // No window to watch: the upload says on standard error which picture is on its way.
    auto upload = std::make_unique<CurlUpload>();
    QObject::connect(upload.get(), &PictureUpload::itemStarted, upload.get(),
                     [messages, prefix, u = upload.get()](int i) {
                         writeUtf8(messages, prefix + uploadItemCaption(u->request().items.value(i)) + u'\n');
                     });
    program.setPictureUpload(std::move(upload));
    auto preparation = std::make_unique<PicturePreparation>();
    QObject::connect(preparation.get(), &PicturePreparation::pictureStarted, preparation.get(),
                     [messages, prefix](int number, int count) {
                         writeUtf8(messages,
                                   prefix + u"Preparing picture %1 of %2\n"_s.arg(number).arg(count));
                     });
    program.setPicturePreparation(std::move(preparation));
    // The same check as the window's: its findings go to standard error and stop the page.
    if (verify)
        program.setAddressCheck(std::make_unique<AddressCheck>());
    QEventLoop loop;
    QObject::connect(&program, &Program::generated, &loop, [&r, &loop](GenerateMode, const QString& page) {
        r.ok = true;
        r.page = page;
        loop.quit();
    });
    QObject::connect(&program, &Program::failed, &loop, [&r, &loop](const QString& title, const QString&) {
        r.reason = title;
        loop.quit();
    });
    program.startGenerate(mode);
    // Without an upload the outcome has come already.
    if (program.isGenerating())
        loop.exec();
    finishKeyring(keeper);
    return r;
}

int generateMany(const CommandLine& command, std::FILE* messages)
{
    const QString folder = QDir(command.outputDir).absolutePath();
    if (!QDir().mkpath(folder)) {
        writeUtf8(messages, u"Listwright: the folder "_s + command.outputDir + u" could not be made\n"_s);
        return 1;
    }
    const QStringList names = pageFileNames(command.adFiles);
    const GenerateMode mode = command.preview ? GenerateMode::PreviewPage : GenerateMode::GeneratePage;
    int written = 0;
    for (qsizetype i = 0; i < command.adFiles.size(); ++i) {
        const QString& ad = command.adFiles.at(i);
        const QString shown = QDir(command.outputDir).filePath(names.at(i));
        const Rendered r = renderAd(ad, mode, command.verify, messages, ad + u": "_s);
        QString error;
        // The same bytes as the command for one ad puts on standard output.
        const bool saved = r.ok && writeFileAtomic(folder + u'/' + names.at(i), r.page.toUtf8(), &error);
        const QString outcome =
            saved  ? QString(u"written to "_s + shown)
            : r.ok ? QString(u"not written to "_s + shown + u": "_s + error)
                   : QString(u"not written: "_s + (r.reason.isEmpty() ? u"failed"_s : r.reason));
        written += saved ? 1 : 0;
        writeUtf8(messages, ad + u": "_s + outcome + u'\n');
    }
    writeUtf8(messages, u"Listwright: "_s + QString::number(written) + u" of "_s +
                            QString::number(command.adFiles.size()) + u" ads written to "_s +
                            command.outputDir + u'\n');
    return written == command.adFiles.size() ? 0 : 1;
}

struct Checked
{
    QString file;   // the ad as the program opened it
    QString reason; // when it could not be opened: the title of the message that said so
    SiteCheckResult result;
};

// One ad checked as the check command does it, with a start-up of its own.
Checked checkOneAd(const QString& adFile, std::FILE* messages, const QString& prefix)
{
    HeadlessDesktopServices ds(messages, prefix);
    SharedState state;
    Program program(state, ds);
    PasswordKeeper keeper(state);
    readKeyring(keeper);
    Checked c{absoluteAdFile(adFile), {}, {}};
    const bool started = program.startup(c.file);
    finishKeyring(keeper);
    if (!started) {
        c.reason = ds.lastTitle().isEmpty() ? u"not opened"_s : ds.lastTitle();
        return c;
    }
    QString error;
    const std::optional<GeneratorInput> in = program.generateInput(&error);
    c.result = in ? checkAd(*in, ebayRules()) : SiteCheckResult{false, error, {}, false};
    if (in)
        addMissingPictures(c.result, *in, state.templates);
    return c;
}

QJsonObject reportJson(const Checked& c)
{
    const SiteCheckResult& result = c.result;
    QJsonArray findings;
    for (const Finding& f : result.findings)
        findings.append(
            QJsonObject{{u"kind"_s, kindName(f.kind)},
                        {u"rule"_s, f.rule},
                        {u"where"_s, f.where()},
                        {u"text"_s, f.text},
                        {u"fix"_s, f.fix == FixKind::None ? QJsonValue() : QJsonValue(f.fixName())}});
    return QJsonObject{{u"site"_s, ebayRules().name},
                       {u"file"_s, c.file},
                       {u"rejected"_s, result.count(FindingKind::Rejected)},
                       {u"risky"_s, result.count(FindingKind::Risky)},
                       {u"advice"_s, result.count(FindingKind::Advice)},
                       {u"findings"_s, findings}};
}

QString findingLines(const SiteCheckResult& result, const QString& prefix)
{
    QString lines;
    for (const Finding& f : result.findings)
        lines +=
            prefix + kindName(f.kind) + u": "_s + f.rule + u": "_s + f.where() + u": "_s + f.text + u'\n';
    return lines;
}

} // namespace

int runGenerateCommand(const CommandLine& command, std::FILE* out, std::FILE* messages)
{
    if (!command.outputDir.isEmpty())
        return generateMany(command, messages);
    const Rendered r =
        renderAd(command.adFile, command.preview ? GenerateMode::PreviewPage : GenerateMode::Generate,
                 command.verify, messages, {});
    if (!r.ok)
        return 1;
    writeUtf8(out, r.page);
    return 0;
}

QStringList pageFileNames(const QStringList& adFiles)
{
    QStringList stems;
    QSet<QString> own;
    for (const QString& ad : adFiles) {
        QString stem = QFileInfo(ad).fileName();
        if (stem.endsWith(u".zad"_s, Qt::CaseInsensitive))
            stem.chop(4);
        if (stem.isEmpty())
            stem = u"ad"_s;
        stems << stem;
        own.insert(stem.toLower());
    }
    QStringList names;
    QSet<QString> taken;
    for (const QString& stem : stems) {
        QString name = stem;
        for (int n = 2; taken.contains(name.toLower()); ++n) {
            name = stem + u'-' + QString::number(n);
            if (own.contains(name.toLower()))
                name = stem; // another ad's own name: try the next number
        }
        taken.insert(name.toLower());
        names << name + u".html"_s;
    }
    return names;
}

int runCheckCommand(const CommandLine& command, std::FILE* out, std::FILE* messages)
{
    const bool several = command.adFiles.size() > 1;
    QJsonArray reports;
    QString lines;
    bool rejected = false;
    bool failed = false;
    // One ad: the list or the JSON of that ad alone, as before several could be named.
    const QStringList ads = several ? command.adFiles : QStringList{command.adFile};
    for (const QString& ad : ads) {
        const QString prefix = several ? ad + u": "_s : QString();
        const Checked c = checkOneAd(ad, messages, prefix);
        if (!c.reason.isEmpty() || !c.result.ok) {
            failed = true;
            if (c.reason.isEmpty())
                writeUtf8(messages, (several ? prefix : u"Listwright: "_s) +
                                        u"the ad could not be made, so it was not checked: "_s +
                                        c.result.error + u'\n');
            if (several && command.json)
                reports.append(QJsonObject{{u"file"_s, c.file},
                                           {u"error"_s, c.reason.isEmpty() ? c.result.error : c.reason}});
            continue;
        }
        rejected = rejected || c.result.count(FindingKind::Rejected) > 0;
        if (command.json)
            reports.append(reportJson(c));
        else
            lines += findingLines(c.result, prefix);
    }
    if (command.json && several)
        writeUtf8(out, QString::fromUtf8(QJsonDocument(reports).toJson(QJsonDocument::Indented)));
    else if (command.json && !reports.isEmpty())
        writeUtf8(out, QString::fromUtf8(
                           QJsonDocument(reports.first().toObject()).toJson(QJsonDocument::Indented)));
    else if (!command.json)
        writeUtf8(out, lines);
    return rejected || failed ? 1 : 0;
}

} // namespace lw
