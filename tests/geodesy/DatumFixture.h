#ifndef GEOFRAME_TESTS_GEODESY_DATUMFIXTURE_H
#define GEOFRAME_TESTS_GEODESY_DATUMFIXTURE_H

#include <geoframe/geodesy/GxDatum.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

/// Gives each test a fresh, empty datum table and a directory of its own for the
/// files it writes. The table is process-wide, so it is emptied again afterwards.
class DatumFixture : public ::testing::Test {
protected:
    void SetUp() override {
        GxDatum::CleanupDatum();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::filesystem::temp_directory_path() /
                ("geoframe-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" +
                 info->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override {
        GxDatum::CleanupDatum();
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }

    std::string Write(const std::string& file, const std::string& content) {
        const std::filesystem::path path = m_dir / file;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    bool Load(const std::string& content) {
        return GxDatum::InitDatum(Write("datums.txt", content).c_str());
    }

    bool LoadShipped() { return GxDatum::InitDatum(GEOFRAME_SOURCE_DATA_DIR "/datums.txt"); }

    std::filesystem::path m_dir;
};

#endif
