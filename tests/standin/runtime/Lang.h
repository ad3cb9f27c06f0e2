// Exceptions, printing and method calls as the rest of the runtime uses them.
#pragma once
#include <string>
#include <vector>

#include "tests/standin/runtime/Model.h"

namespace tarn::standin {

// Makes a new exception of that class pending on the thread (message null when absent).
void Throw(ThreadRecord& thread, const std::string& className, const std::u16string* message);
void Throw(ThreadRecord& thread, const std::string& className, const std::string& message);
std::u16string ThrowableText(const Object* throwable);   // Throwable.toString()
std::u16string StackTraceText(const Object* throwable);  // what printStackTrace prints
// Prints the pending exception as uncaught (Exception in thread "name" ...) to System.err and clears it.
void PrintUncaught(ThreadRecord& thread);

// A PrintStream on a standard handle (STD_OUTPUT_HANDLE, STD_ERROR_HANDLE).
Object* NewStandardStream(DWORD which);
// PrintStream.print and println (line end "\r\n"); a null stream throws NullPointerException.
void Print(ThreadRecord& thread, Object* printStream, const std::u16string& text);
void PrintLine(ThreadRecord& thread, Object* printStream, const std::u16string& text);
std::string StreamName(const Object* stream);
// A line of System.in read as UTF-8, without its line end; "null" at the end of input, as
// BufferedReader.readLine gives null and println prints it.
std::u16string ReadInputLine();

// Runs a method: the runtime's own or a class script's.
Value Invoke(ThreadRecord& thread, const MethodInfo& method, Object* self, const std::vector<Value>& arguments);

}  // namespace tarn::standin
