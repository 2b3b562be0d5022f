#include "tests/qt/ui_test_support.h"

#include "core/file.h"

namespace mw::test {

namespace {

std::optional<QString> Answer(std::deque<QString>& answers)
{
    if (answers.empty())
        return std::nullopt;
    QString answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

std::optional<QString> FakeDialogs::RunOpenDialog(const FileDialogRequest& request)
{
    openRequests.push_back(request);
    return Answer(openAnswers);
}

std::optional<QString> FakeDialogs::RunSaveDialog(const FileDialogRequest& request)
{
    saveRequests.push_back(request);
    return Answer(saveAnswers);
}

QStringList FakeDialogs::RunOpenFilesDialog(const FileDialogRequest& request)
{
    openRequests.push_back(request);
    if (openFilesAnswers.empty())
        return {};
    QStringList answer = openFilesAnswers.front();
    openFilesAnswers.pop_front();
    return answer;
}

std::optional<QString> FakeDialogs::ChooseFolder(const QString& /*title*/, const QString& /*startFolder*/)
{
    return Answer(folderAnswers);
}

std::optional<QString> FakeDialogs::AskText(const QString& /*title*/, const QString& /*label*/, const QString& text)
{
    textsProposed.push_back(text);
    return Answer(textAnswers);
}

void FakeDialogs::ShowUserError(const QString& message)
{
    userErrors.push_back(message);
}

void FakeDialogs::ShowErrorDisplay(const QString& message, const QString& details)
{
    errorDisplays.push_back(message);
    errorDetails.push_back(details);
}

bool FakeDialogs::AskQuestion(const QString& question)
{
    questions.push_back(question);
    return questionAnswer;
}

std::optional<std::string> SharedSettings::Read(const std::string& name)
{
    const auto found = values_->find(name);
    if (found == values_->end())
        return std::nullopt;
    return found->second;
}

void SharedSettings::Write(const std::string& name, const std::string& text)
{
    (*values_)[name] = text;
}

void FolderInstallation::FindInstallationFolder(std::string& path)
{
    const bool valid = FileExists(folder_ + "/GP4.exe");
    SetFoundInstallation(valid);
    if (valid)
        path = folder_;
}

WindowFixture::WindowFixture(const std::string& gp4Folder)
{
    state.Installation = std::make_unique<FolderInstallation>(gp4Folder);
    openSettings = [this] {
        ++settingsOpened;
        return std::make_unique<SharedSettings>(settings);
    };
}

}  // namespace mw::test
