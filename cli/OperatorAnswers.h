#pragma once
// The operator of a terminal run: it answers Port Setup from the options, does
// the one action asked for in the main window, and judges from what the program
// showed whether that action succeeded.

#include "cli/Errors.h"
#include "cli/Options.h"
#include "platform/drivers/console/Operator.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace cli {

// The file behind each entry of the main window's command set list, in list order.
using FileTable = std::function<std::vector<std::string>(platform::DialogWindow& mainWindow)>;

class OperatorAnswers final : public console::Operator {
public:
    OperatorAnswers(const Options& options, FileTable files, std::FILE* out, std::FILE* errors);

    void dialogOpened(platform::DialogWindow& dialog) override;
    void dialogIdle(platform::DialogWindow& dialog) override;
    void messageShown(const CString& text) override;
    void interrupted(int signal) override;
    bool failed() const override { return m_failed; }

    // Whether the action asked for was done; known once the main window has gone idle.
    bool succeeded() const { return m_succeeded; }

private:
    void answerPortSetup(platform::DialogWindow& dialog);
    void act(platform::DialogWindow& dialog);
    bool pickCommandSet(platform::DialogWindow& dialog);
    bool pickNewRate(platform::DialogWindow& dialog);
    void list(platform::DialogWindow& dialog);
    void judge(platform::DialogWindow& dialog);
    void report(const Problem& problem);
    void note(const std::string& text);

    const Options& m_options;
    FileTable m_files;
    std::FILE* m_out;
    std::FILE* m_errors;
    bool m_acting = false;
    bool m_judged = false;
    bool m_failed = false;
    bool m_succeeded = false;
    bool m_noDirectory = false;
    std::vector<std::string> m_messagesWhileActing;
};

} // namespace cli
