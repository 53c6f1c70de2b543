// demo_summary TRACE [SCENARIO] [JOURNAL]: prints what a run of the stand-in host did.
// demo_summary --approaches TRACE PLAIN_TRACE: the closest approach of each pass-by of the
// user's aircraft in the demo run and in its run without the options ticked.
#include "scripts/demo_summary.h"

#include <cstring>
#include <string>

namespace {
std::string ReadAll(const char* path) {
    std::string text;
    FILE* file = path ? fopen(path, "rb") : nullptr;
    if (file) {
        char buffer[4096];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) {
            text.append(buffer, got);
        }
        fclose(file);
    }
    return text;
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && !strcmp(argv[1], "--approaches")) {
        static DemoApproaches ticked, plain;
        if (!SummariseApproaches(argv[2], &ticked) || !SummariseApproaches(argv[3], &plain)) {
            fprintf(stderr, "demo_summary: cannot read %s or %s\n", argv[2], argv[3]);
            return 1;
        }
        PrintApproaches(stdout, ticked, plain);
        return 0;
    }
    if (argc < 2) {
        fprintf(stderr, "usage: demo_summary TRACE [SCENARIO] [JOURNAL]\n"
                        "       demo_summary --approaches TRACE PLAIN_TRACE\n");
        return 2;
    }
    static DemoSummary summary;
    if (!SummariseTrace(argv[1], &summary)) {
        fprintf(stderr, "demo_summary: cannot read %s\n", argv[1]);
        return 1;
    }
    std::string journal = ReadAll(argc > 3 ? argv[3] : nullptr);
    PrintSummary(stdout, summary, argc > 2 ? argv[2] : nullptr,
                 argc > 3 ? journal.c_str() : nullptr);
    return summary.readable ? 0 : 1;
}
