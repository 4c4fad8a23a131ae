#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace bench {

// One way of making a call: the call's number in, success out.
struct Method {
    const char* name;
    std::function<bool(int)> callOnce;
    int callsPerRound;
    std::vector<double> roundMs;
};

// Milliseconds per call for one round; negative when a call failed.
inline double timeRound(Method& method, int round) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < method.callsPerRound; ++i)
        if (!method.callOnce(round * method.callsPerRound + i))
            return -1;
    std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / method.callsPerRound;
}

// The methods take turns, round after round, so that a change in the machine's load falls on
// all of them alike; a first round warms them up and is not counted.
inline void measure(std::vector<Method>& methods, int rounds) {
    for (int round = -1; round < rounds; ++round)
        for (auto& method : methods) {
            double ms = timeRound(method, round + 1);
            if (round >= 0)
                method.roundMs.push_back(ms);
        }
}

// A method's figure: its median round, or negative when any round failed.
inline double median(std::vector<double> values) {
    if (values.empty() ||
        std::find_if(values.begin(), values.end(), [](double v) { return v < 0; }) != values.end())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace bench
