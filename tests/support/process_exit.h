// EXPECT_PROCESS_EXIT(statement, predicate, regex): the statement, run in a child process of
// the test program, ends that process with a status that satisfies `predicate`, and what the
// child wrote matches `regex` somewhere (GoogleTest's ContainsRegex).
//
// On the host this is GoogleTest's EXPECT_EXIT. In the Windows build it is our own, because
// GoogleTest's Windows death tests oversee the child through an inherited pipe, an event and
// handles duplicated out of the parent, with the parent's stderr sent into a temporary file
// meanwhile; a step of that which fails ends the parent with abort() (status 3) and its reason
// goes into that file, so under Wine the whole program once ended without a word in the middle
// of a death test. Here the parent starts this program again for the current test only, with
// the statement's number in the environment (KEYSEQ_EXIT_CHILD), the child's output in a
// temporary file and nothing else shared, waits for it (two minutes at most), and reports every
// failure of its own as a failed expectation with its cause.
//
// In the child, statements before the chosen one are skipped; the chosen one runs, and if it
// returns, the child ends with kStatementReturned, which the parent reports as such.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#if defined(KEYSEQ_PLATFORM_WIN32)

#include <string>

namespace process_exit {

// The status a child ends with when the statement it was to run returned.
constexpr int kStatementReturned = 0x7E57;

// The number of the statement this process was started to run; -1 in the test program itself.
int ChildStatementIndex();
// The number of the next EXPECT_PROCESS_EXIT in the current test: 0, 1, ... per test.
int NextStatementIndex();
// In the child, after the statement returned: ends the process with kStatementReturned.
[[noreturn]] void StatementReturned();

struct ChildRun {
    bool ended = false; // false: it could not be started or did not end (see failure)
    int status = 0;
    std::string output; // stdout and stderr of the child, in the order written
    std::string failure;
};
// Starts this program for the current test with statement `index` and waits for its end.
ChildRun RunChild(int index);

} // namespace process_exit

#define EXPECT_PROCESS_EXIT(statement, predicate, regex)                                           \
    do {                                                                                           \
        const int keyseq_exit_index_ = ::process_exit::NextStatementIndex();                       \
        if (::process_exit::ChildStatementIndex() >= 0) {                                          \
            if (::process_exit::ChildStatementIndex() == keyseq_exit_index_) {                     \
                statement;                                                                         \
                ::process_exit::StatementReturned();                                               \
            }                                                                                      \
        } else {                                                                                   \
            const ::process_exit::ChildRun keyseq_exit_run_ =                                      \
                ::process_exit::RunChild(keyseq_exit_index_);                                      \
            if (!keyseq_exit_run_.ended) {                                                         \
                ADD_FAILURE() << keyseq_exit_run_.failure;                                         \
            } else if (keyseq_exit_run_.status == ::process_exit::kStatementReturned) {            \
                ADD_FAILURE() << "the statement returned instead of ending the process:\n"         \
                              << #statement << "\n"                                                \
                              << keyseq_exit_run_.output;                                          \
            } else {                                                                               \
                EXPECT_PRED1(predicate, keyseq_exit_run_.status) << keyseq_exit_run_.output;       \
                EXPECT_THAT(keyseq_exit_run_.output, ::testing::ContainsRegex(regex));             \
            }                                                                                      \
        }                                                                                          \
    } while (false)

#else

#define EXPECT_PROCESS_EXIT(statement, predicate, regex) EXPECT_EXIT(statement, predicate, regex)

#endif
