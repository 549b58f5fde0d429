// An engine with its wavetable store, for the wavetable tests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "wavetable/wave_store.h"

namespace taluma::test {

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.init(44100.0f);
        store.reset(new WaveStore(engine));
    }
    std::vector<int> cells(int op, int n) const {
        std::vector<int> out;
        for (int i = 0; i < n; ++i)
            out.push_back(store->cell(op, i));
        return out;
    }
    // f(0) .. f(n - 1).
    static std::vector<int> seq(int n, const std::function<int(int)>& f) {
        std::vector<int> out;
        for (int i = 0; i < n; ++i)
            out.push_back(f(i));
        return out;
    }
    void fill(int op, const std::vector<int>& values) {
        for (size_t i = 0; i < values.size(); ++i)
            store->setCell(op, int(i), uint8_t(values[i]));
    }
    uint32_t wave(int op, int pos) const { return engine.waveLog[op][pos].load(); }

    SynthEngine engine;
    std::unique_ptr<WaveStore> store;
};

}  // namespace taluma::test
