// reg.exe add, query and delete, run with their output captured.
#include "user_settings.h"

#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"

namespace bw::test {

namespace {

struct Outcome {
    DWORD exitCode;
    std::string output;
};

// Runs reg.exe with the arguments and returns its exit code and what it printed.
Outcome Reg(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) throw win32::LastErrorFailure();
    win32::UniqueKernelHandle reading(readEnd), writing(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    std::wstring commandLine = win32::Widen("reg.exe " + arguments);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &info))
        throw win32::LastErrorFailure();
    win32::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    writing.reset();  // the pipe ends when reg.exe's copy of it closes

    std::string output;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
        output.append(buffer, read);
    WaitForSingleObject(process.get(), 30000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.get(), &exitCode);
    return {exitCode, output};
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

const std::string UserSettings::kKey =
    "HKCU\\Software\\VB and VBA Program Settings\\Buttonwise\\Key";

void UserSettings::Clear() {
    Reg("delete " + Quoted(kKey) + " /f");  // fails harmlessly when there is nothing
    ASSERT_FALSE(Read("#ListCount")) << "the saved bindings could not be removed";
}

void UserSettings::Write(const std::map<std::string, std::string>& values) {
    for (const auto& [name, value] : values) WriteValue(kKey, name, value);
}

void UserSettings::WriteValue(const std::string& key, const std::string& name,
                              const std::string& value) {
    const Outcome outcome = Reg("add " + Quoted(key) + " /v " + Quoted(name) + " /t REG_SZ /d " +
                                Quoted(value) + " /f");
    ASSERT_EQ(outcome.exitCode, 0u) << name << ": " << outcome.output;
}

std::optional<std::string> UserSettings::Read(const std::string& name) {
    const Outcome outcome = Reg("query " + Quoted(kKey) + " /v " + Quoted(name));
    if (outcome.exitCode != 0) return std::nullopt;
    // The value's line: "    <name>    REG_SZ    <text>".
    const std::string marker = "    " + name + "    REG_SZ    ";
    const std::size_t at = outcome.output.find(marker);
    if (at == std::string::npos) {
        const std::string empty = "    " + name + "    REG_SZ";
        if (outcome.output.find(empty) != std::string::npos) return std::string();
        ADD_FAILURE() << "unexpected reg output: " << outcome.output;
        return std::nullopt;
    }
    const std::size_t start = at + marker.size();
    return outcome.output.substr(start, outcome.output.find_first_of("\r\n", start) - start);
}

}  // namespace bw::test
