#pragma once

#include <opencv2/core.hpp>

#include <new>
#include <type_traits>
#include <utility>

// Runs work that calls OpenCV. An error of the library (its decoder throws for headers beyond its
// pixel limit, its functions for input they reject) or a failed allocation yields the work's
// empty result instead, so that no failure reaches Qt's event loop or the engine's loader.
template <typename Work> std::invoke_result_t<Work> orEmpty(Work &&work)
{
    try {
        return std::forward<Work>(work)();
    } catch (const cv::Exception &) {
    } catch (const std::bad_alloc &) {
    }
    return {};
}
