// Golden files for colouring: each fixture in tests/data/formater is tokenised by its language's
// formater and its token runs compared with the expected runs beside it (<fixture>.runs). On a
// mismatch the new runs are written to the build tree's test output (<fixture>.runs.actual) for
// review. The same fixture with CR LF line ends must give the same token words.

#include "cmake/test_files.h"
#include "editor/CCFormater.h"
#include "editor/CHHJScriptFormater.h"
#include "editor/CHHVBScriptFormater.h"
#include "editor/TokenRuns.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kDataDir = std::string(PM_TEST_DATA_DIR) + "/formater/";

// The JavaScript formater as the editor application fills it: extra words in user groups.
std::unique_ptr<CHHFormater> applicationJScript() {
    auto js = std::make_unique<CHHJScriptFormater>();
    js->GetKeywordMap().SetAt("alert", HHTOKEN_USER1);
    js->GetKeywordMap().SetAt("WScript", HHTOKEN_USER2);
    js->AddKeyword("import", HHTOKEN_PREPROCESSOR);
    return js;
}

// A generic formater given data of a small language of its own.
std::unique_ptr<CHHFormater> configuredGeneric() {
    auto generic = std::make_unique<CHHGenericFormater>();
    generic->SetLineComment("#");
    generic->SetLineComment2("--");
    generic->SetBlockComment("(*", "*)");
    generic->SetQuoteChars("'`");
    generic->SetEscapeChar('^');
    generic->SetOperatorChars("+-=:;");
    generic->SetWordChars("$");
    generic->SetNumberStartChars("%");
    generic->AddKeyword("BEGIN", HHTOKEN_KEYWORD);
    generic->AddKeyword("END", HHTOKEN_KEYWORD);
    generic->AddKeyword("PI", HHTOKEN_CONSTANT);
    generic->AddKeyword("PRINT", HHTOKEN_FUNCTION);
    generic->AddKeyword("$ENV", HHTOKEN_USER1);
    generic->AddKeyword("TRACE", HHTOKEN_USER2);
    return generic;
}

struct GoldenCase {
    const char* fixture;
    std::unique_ptr<CHHFormater> (*make)();
};

std::unique_ptr<CHHFormater> makeJScript() {
    return std::make_unique<CHHJScriptFormater>();
}
std::unique_ptr<CHHFormater> makeVBScript() {
    return std::make_unique<CHHVBScriptFormater>();
}
std::unique_ptr<CHHFormater> makeC() {
    return std::make_unique<CCFormater>();
}

class Golden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, TokenRunsMatchExpected) {
    const GoldenCase& c = GetParam();
    const std::string text = pm::test::readFile(kDataDir + c.fixture);
    ASSERT_FALSE(text.empty()) << "missing fixture " << c.fixture;
    ASSERT_EQ(text.find('\r'), std::string::npos) << "fixtures are stored with LF line ends";
    auto formater = c.make();
    const std::string runs =
        hh::DescribeTokenRuns(text.data(), text.size(), hh::Tokenize(*formater, text.data(), text.size()));
    pm::test::expectGolden(kDataDir + c.fixture + ".runs", runs);
}

TEST_P(Golden, CrLfGivesTheSameTokensAsLf) {
    const GoldenCase& c = GetParam();
    const std::string lf = pm::test::readFile(kDataDir + c.fixture);
    std::string crlf;
    for (char ch : lf) {
        if (ch == '\n') crlf += '\r';
        crlf += ch;
    }
    auto formater = c.make();
    const std::vector<WORD> lfTokens = hh::Tokenize(*formater, lf.data(), lf.size());
    const std::vector<WORD> crlfTokens = hh::Tokenize(*formater, crlf.data(), crlf.size());
    std::vector<WORD> withoutCr;
    for (std::size_t i = 0; i < crlf.size(); ++i)
        if (crlf[i] != '\r') withoutCr.push_back(crlfTokens[i]);
    ASSERT_EQ(withoutCr.size(), lfTokens.size());
    for (std::size_t i = 0; i < lfTokens.size(); ++i)
        ASSERT_EQ(withoutCr[i], lfTokens[i]) << "first difference at byte " << i << " of the LF text";
}

INSTANTIATE_TEST_SUITE_P(
    Formaters, Golden,
    ::testing::Values(GoldenCase{"javascript.js", makeJScript},
                      GoldenCase{"javascript_user_words.js", applicationJScript},
                      GoldenCase{"vbscript.vbs", makeVBScript}, GoldenCase{"cfamily.c", makeC},
                      GoldenCase{"generic.txt", configuredGeneric},
                      GoldenCase{"block_comment_hides_line_marker_and_quote.js", makeJScript}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) {
        std::string name = info.param.fixture;
        for (char& ch : name)
            if (ch == '.') ch = '_';
        return name;
    });

} // namespace
