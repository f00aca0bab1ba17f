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

}  // namespace

const std::string& LanguageTexts::line(int n) const {
    static const std::string empty;
    return n >= 1 && n <= kLanguageLineCount ? lines[n] : empty;
}

std::string languageFilePath(const std::string& programFolder) {
    return platform::joinPath(languagesFolder(programFolder), "resource.dll");
}

bool LoadLanguageTexts(LanguageTexts& texts, LanguageContext& context) {
    setStatus(context, texts.line(kStatusLoading));
    if (context.settings && !context.settings->readFlag(names::AxisLetter))
        context.settings->writeCheck(names::AxisLetter, false);

    auto content = context.files.readFileUpTo(languageFilePath(context.programFolder), kMaxLanguageFileBytes);
    size_t read = 0;
    if (content)
        platform::forEachLine(*content, [&](std::string_view line) {
            texts.lines[++read] = line;
            return read < kLanguageLineCount;  // lines past the last text are never split off
        });
    if (read < kLanguageLineCount) {
        context.messages.error(platform::kApplicationTitle,
                               "File " + context.programFolder +
                                   platform::nativeSeparators("\\Languages\\resource.dll was not found."));
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
        context.messages.information(platform::kApplicationTitle,
                                     "Language file " + context.programFolder +
                                         platform::nativeSeparators("\\Languages\\") + name + ".dll did not exist.");
        return;
    }
    std::string target = languageFilePath(context.programFolder);
    context.files.removeFile(target);
    context.files.copyFile(source, target, true);
    if (restartStartup) restartStartup();
    if (!LoadLanguageTexts(texts, context))
        context.messages.error(platform::kApplicationTitle,
                               "Unable to use selected language file. Please choose another language or check, "
                               "that the selected language file exist on your system.");
}

std::string languageBaseName(int number) {
    static const char* const kNames[] = {"English", "German",  "French",     "Italian",
                                         "Czech",   "Spanish", "Portuguese", "Hungaria"};
    return number >= 1 && number <= 8 ? kNames[number - 1] : kNames[0];
}

}  // namespace kelmar::settings
