#ifndef GEOFRAME_TESTS_GEODESY_DATUMFIXTURE_H
#define GEOFRAME_TESTS_GEODESY_DATUMFIXTURE_H

#include <geoframe/geodesy/GxDatum.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

/// A fresh, empty datum table for each test (the table is process-wide, so it is
/// emptied again afterwards) and a directory of its own for the files it writes.
class DatumFixture : public ::testing::Test {
protected:
    void SetUp() override {
        GxDatum::CleanupDatum();
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::filesystem::temp_directory_path() /
                ("geoframe-" + std::to_string(::getpid()) + test->test_suite_name() + test->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override {
        GxDatum::CleanupDatum();
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    /// Writes `text` to a datum file and loads it.
    bool Load(const std::string& text) {
        std::ofstream(m_dir / "d.txt", std::ios::binary) << text;
        return GxDatum::InitDatum((m_dir / "d.txt").string().c_str());
    }
    bool LoadShipped() { return GxDatum::InitDatum(GEOFRAME_SOURCE_DATA_DIR "/datums.txt"); }

    std::filesystem::path m_dir;
};

#endif
