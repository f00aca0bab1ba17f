#include "settings/language_texts.h"

#include "platform/paths.h"
#include "platform/product.h"
#include "platform/text.h"
#include "settings/setting_names.h"

namespace kelmar::settings {
namespace {

constexpr int kStatusLoading = 235;
constexpr int kStatusFailed = 236;
constexpr int kStatusLoaded = 237;

std::string languagesFolder(const std::string& programFolder) { return platform::joinPath(programFolder, "Languages"); }

std::string languageSourcePath(const std::string& programFolder, const std::string& name) {
    return platform::joinPath(languagesFolder(programFolder), name + ".dll");
}

// The 1250 files are known by their content, since resource.dll is a copy of one of them.
platform::CodePage codePageOf(const std::string& content, LanguageContext& context) {
    for (const char* name : {"Czech", "Hungaria"}) {
        auto candidate = context.files.readFileUpTo(languageSourcePath(context.programFolder, name), content.size());
        if (candidate && *candidate == content) return platform::CodePage::Windows1250;
    }
    return platform::CodePage::Windows1252;
}

void setStatus(LanguageContext& context, const std::string& text) {
    if (context.setStatus) context.setStatus(text);
}

const std::string& englishLine(int n) {
    static const std::array<std::string, kLastTextLine - kFirstProgramLine + 1> english = [] {
        std::array<std::string, kLastTextLine - kFirstProgramLine + 1> texts;
        for (size_t i = 0; i < texts.size(); ++i) texts[i] = kEnglishProgramTexts[i];
        return texts;
    }();
    return english[n - kFirstProgramLine];
}

// "\n" becomes a line break, %1..%9 the argument of that number (an unknown one stays).
std::string expand(std::string_view line, std::initializer_list<std::string_view> args, platform::CodePage target) {
    const platform::CodePage source = platform::installationCodePage();
    std::string out;
    out.reserve(line.size() + 32);
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        const char next = i + 1 < line.size() ? line[i + 1] : '\0';
        if (c == '\\' && next == 'n') {
            out += '\n';
            ++i;
        } else if (c == '%' && next >= '1' && next <= '9' && static_cast<size_t>(next - '1') < args.size()) {
            std::string_view arg = args.begin()[next - '1'];
            out += source == target ? std::string(arg) : platform::fromUtf8(platform::toUtf8(arg, source), target);
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

const std::string& LanguageTexts::line(int n) const {
    static const std::string empty;
    if (n < 1 || n > kLastTextLine) return empty;
    return n < kFirstProgramLine || n <= linesRead ? lines[n] : englishLine(n);
}

std::string LanguageTexts::text(Text id, std::initializer_list<std::string_view> args) const {
    return expand(line(static_cast<int>(id)), args, codePage);
}

std::string englishText(Text id, std::initializer_list<std::string_view> args) {
    return expand(englishLine(static_cast<int>(id)), args, platform::installationCodePage());
}

std::string languageFilePath(const std::string& programFolder) {
    return platform::joinPath(languagesFolder(programFolder), "resource.dll");
}

bool LoadLanguageTexts(LanguageTexts& texts, LanguageContext& context) {
    setStatus(context, texts.line(kStatusLoading));
    if (context.settings && !context.settings->readFlag(names::AxisLetter))
        context.settings->writeCheck(names::AxisLetter, false);

    auto content = context.files.readFileUpTo(languageFilePath(context.programFolder), kMaxLanguageFileBytes);
    int read = 0;
    if (content)
        platform::forEachLine(*content, [&](std::string_view line) {
            texts.lines[++read] = line;
            return read < kLastTextLine;  // lines past the last text are never split off
        });
    texts.linesRead = read;
    if (read < kLanguageLineCount) {
        context.messages.error(platform::kApplicationTitle,
                               texts.text(Text::LanguageFileNotFound, {languageFilePath(context.programFolder)}));
        setStatus(context, texts.line(kStatusFailed));
        return false;
    }
    texts.codePage = codePageOf(*content, context);
    setStatus(context, texts.line(kStatusLoaded));
    return true;
}

void SwitchLanguage(LanguageTexts& texts, LanguageContext& context, const std::string& name,
                    const std::function<void()>& restartStartup) {
    std::string source = languageSourcePath(context.programFolder, name);
    if (!context.files.fileExists(source)) {
        context.messages.information(platform::kApplicationTitle, texts.text(Text::LanguageFileAbsent, {source}));
        return;
    }
    std::string target = languageFilePath(context.programFolder);
    context.files.removeFile(target);
    context.files.copyFile(source, target, true);
    if (restartStartup) restartStartup();
    if (!LoadLanguageTexts(texts, context))
        context.messages.error(platform::kApplicationTitle, texts.text(Text::LanguageFileUnusable));
}

std::string languageBaseName(int number) {
    static const char* const kNames[] = {"English", "German",  "French",     "Italian",
                                         "Czech",   "Spanish", "Portuguese", "Hungaria"};
    return number >= 1 && number <= 8 ? kNames[number - 1] : kNames[0];
}

}  // namespace kelmar::settings
