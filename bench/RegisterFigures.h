#pragma once
// What the two register benches share: the register's lines and the table of figures, so that the
// Qt and the Windows list windows are measured and printed the same way. Standard C++ only.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace quorvane::bench {

// The i-th line of a bench register: a path of 60 characters in `folder`'s "Archive" folder.
inline std::string registerLine(const std::string& folder, char separator, int i) {
    std::string path = folder + separator + "Archive" + separator + "folder " + std::to_string(1000000 + i);
    if (path.size() < 60) path.append(60 - path.size(), 'x');
    return path;
}

// The table: for each register size, the medians of its runs' figures, each run a fresh process
// that printed "<list shown ms> <Show Folder ms> <list shown cpu ms> <Show Folder cpu ms> <peak MB>".
class RegisterFigures {
public:
    RegisterFigures(const char* listWindow, int runs) {
        std::printf("%s, medians of %d runs, each a fresh process\n", listWindow, runs);
        std::printf("%10s %22s %22s %10s\n", "lines", "list shown (ms)", "Show Folder (ms)", "peak");
        std::printf("%10s %11s %10s %11s %10s %10s\n", "", "clock", "processor", "clock", "processor", "(MB)");
    }

    // One run's figures as it printed them; false when they are not all there.
    bool addRun(const std::string& printed) {
        double f[kFigures] = {};
        if (std::sscanf(printed.c_str(), "%lf %lf %lf %lf %lf", &f[0], &f[1], &f[2], &f[3], &f[4]) != kFigures)
            return false;
        for (int i = 0; i < kFigures; ++i) m_runs[i].push_back(f[i]);
        return true;
    }

    // The row of a size from the runs added since the last one.
    void endSize(int lines) {
        double m[kFigures];
        for (int i = 0; i < kFigures; ++i) {
            m[i] = median(m_runs[i]);
            m_runs[i].clear();
        }
        m_sizes.push_back(lines);
        m_shownCpu.push_back(m[2]);  // processor time: the machine may be busy with other work
        std::printf("%10d %11.0f %10.0f %11.0f %10.0f %10.0f\n", lines, m[0], m[2], m[1], m[3], m[4]);
        std::fflush(stdout);
    }

    // How the list's processor time grows where a size is ten times the one before.
    void printGrowth() const {
        for (std::size_t i = 1; i < m_sizes.size(); ++i)
            if (m_sizes[i] == 10 * m_sizes[i - 1] && m_shownCpu[i - 1] > 0)
                std::printf("%d lines take %.1f times the processor time of %d\n", m_sizes[i],
                            m_shownCpu[i] / m_shownCpu[i - 1], m_sizes[i - 1]);
    }

private:
    static constexpr int kFigures = 5;
    static double median(std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }
    std::vector<double> m_runs[kFigures];
    std::vector<int> m_sizes;
    std::vector<double> m_shownCpu;
};

}  // namespace quorvane::bench
