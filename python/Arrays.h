#ifndef GEOFRAME_PYTHON_ARRAYS_H
#define GEOFRAME_PYTHON_ARRAYS_H

// Point conversions over numpy arrays. The inputs (floats, sequences or arrays of
// any shape) broadcast together as numpy broadcasts them and are read in place,
// whatever their strides; a loop in C++ without the GIL fills new float64 arrays of
// the broadcast shape, or plain floats when every input is a scalar. A point that
// cannot be converted gets NaN in every output.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <limits>
#include <mutex>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace geoframe::python {

namespace py = pybind11;

/// One input of a conversion: its name, for messages, and the object passed.
struct Input {
    const char* name;
    py::handle value;
};

/// The inputs read as float64 arrays and laid out over their broadcast shape.
struct Layout {
    std::vector<py::ssize_t> shape;
    /// Per input, a byte stride for every dimension of `shape`; 0 where the input
    /// is broadcast along it.
    std::vector<std::vector<py::ssize_t>> strides;
    std::vector<const char*> data;
    py::ssize_t count = 1;
    /// Every input was a scalar (a 0-d array).
    bool scalar = true;
    /// The arrays that `data` points into.
    std::vector<py::array> arrays;
};

/// Reads `count` inputs as float64 arrays (no copy where they are float64 already)
/// and broadcasts them. ValueError naming the input when one is not numbers, or
/// naming two inputs whose shapes do not broadcast.
Layout Broadcast(const Input* inputs, std::size_t count);

/// Calls `visit(in, i)` for every point in C order: `in` holds the N input values
/// of the point, `i` is its index in the flattened broadcast shape.
template <std::size_t N, class Visit>
void ForEachPoint(const Layout& layout, Visit&& visit) {
    if (layout.count == 0)
        return;
    const std::size_t ndim = layout.shape.size();
    const py::ssize_t inner = ndim ? layout.shape[ndim - 1] : 1;
    std::array<const char*, N> row;
    std::array<py::ssize_t, N> step;
    for (std::size_t k = 0; k < N; ++k) {
        row[k] = layout.data[k];
        step[k] = ndim ? layout.strides[k][ndim - 1] : 0;
    }
    std::vector<py::ssize_t> index(ndim, 0);
    py::ssize_t flat = 0;
    for (;;) {
        for (py::ssize_t j = 0; j < inner; ++j) {
            double in[N];
            for (std::size_t k = 0; k < N; ++k)
                std::memcpy(&in[k], row[k] + j * step[k], sizeof(double)); // may be unaligned
            visit(in, flat++);
        }
        // The next row: count up the outer dimensions like an odometer.
        std::size_t d = ndim ? ndim - 1 : 0;
        for (;;) {
            if (d == 0)
                return;
            --d;
            for (std::size_t k = 0; k < N; ++k)
                row[k] += layout.strides[k][d];
            if (++index[d] < layout.shape[d])
                break;
            for (std::size_t k = 0; k < N; ++k)
                row[k] -= layout.strides[k][d] * layout.shape[d];
            index[d] = 0;
        }
    }
}

/// Raises ValueError with `message`.
[[noreturn]] void Refuse(const std::string& message);

/// The caller's output arrays for M outputs: None for new ones, otherwise M
/// writable, C-contiguous float64 arrays of the broadcast shape (one array or a
/// tuple or list of M). ValueError naming "out" otherwise, also when two of them
/// overlap. `sharesInput` tells whether one may share memory with an input, in
/// which case the results are made apart and copied in at the end.
std::vector<py::array> OutputArrays(py::handle out, std::size_t m, const Layout& layout,
                                    bool& sharesInput);

/// M outputs of type Out over the broadcast inputs, filled by `fill(layout, out)`
/// without the GIL, holding `mutex` when one is given; `out` holds the M arrays of
/// layout.count values. They are new, or the caller's arrays given as `into`
/// (float64 only; see OutputArrays), which are then returned. One output is
/// returned as it is, several as a tuple; plain Python numbers when every input
/// was a scalar and no arrays were given.
template <std::size_t M, class Out, std::size_t N, class Fill>
py::object MapInto(const Input (&inputs)[N], Fill&& fill, std::mutex* mutex,
                   py::handle into = py::none()) {
    const Layout layout = Broadcast(inputs, N);
    bool sharesInput = false;
    std::vector<py::array> given;
    if (!into.is_none()) {
        if constexpr (std::is_same_v<Out, double>)
            given = OutputArrays(into, M, layout, sharesInput);
        else
            Refuse("out: this conversion makes its own arrays");
    }
    // One block for all outputs, handed out as M views: one allocation, which the
    // allocator can serve again to the next call once the results are dropped.
    std::vector<py::ssize_t> blockShape{static_cast<py::ssize_t>(M)};
    blockShape.insert(blockShape.end(), layout.shape.begin(), layout.shape.end());
    py::array_t<Out> block(given.empty() || sharesInput ? blockShape : std::vector<py::ssize_t>{0});
    std::array<Out*, M> out;
    for (std::size_t m = 0; m < M; ++m)
        out[m] = given.empty() || sharesInput ? block.mutable_data() + m * layout.count
                                              : static_cast<Out*>(given[m].mutable_data());
    {
        py::gil_scoped_release release;
        std::unique_lock<std::mutex> lock;
        if (mutex)
            lock = std::unique_lock<std::mutex>(*mutex);
        fill(layout, out);
        if (sharesInput)
            for (std::size_t m = 0; m < M; ++m)
                std::memcpy(given[m].mutable_data(), out[m],
                            static_cast<std::size_t>(layout.count) * sizeof(Out));
    }
    std::array<py::object, M> results;
    for (std::size_t m = 0; m < M; ++m) {
        if (!given.empty())
            results[m] = given[m];
        else
            results[m] = layout.scalar ? py::cast(out[m][0]) : block[py::int_(m)];
    }
    if constexpr (M == 1)
        return std::move(results[0]);
    else
        return std::apply([](auto&&... r) { return py::make_tuple(std::move(r)...); }, results);
}

/// M outputs of type Out over the broadcast inputs: `convert(in, out)` reads the N
/// values of a point and writes its M results, returning false when the point
/// cannot be converted; that point then gets `failed` in every output, never a
/// partial or earlier result.
template <std::size_t M, class Out = double, std::size_t N, class Convert>
py::object MapPoints(const Input (&inputs)[N], Convert&& convert, std::mutex* mutex = nullptr,
                     Out failed = std::numeric_limits<Out>::quiet_NaN(),
                     py::handle into = py::none()) {
    return MapInto<M, Out>(
        inputs,
        [&](const Layout& layout, const std::array<Out*, M>& out) {
            ForEachPoint<N>(layout, [&](const double(&in)[N], py::ssize_t i) {
                Out values[M];
                const bool ok = convert(in, values);
                for (std::size_t m = 0; m < M; ++m)
                    out[m][i] = ok ? values[m] : failed;
            });
        },
        mutex, into);
}

/// M float64 outputs over the broadcast inputs, filled by an array conversion:
/// `convert(layout, out)` gets the layout and the M output arrays (see Values).
template <std::size_t M, std::size_t N, class Convert>
py::object MapArrays(const Input (&inputs)[N], Convert&& convert, std::mutex* mutex = nullptr,
                     py::handle into = py::none()) {
    return MapInto<M, double>(inputs, convert, mutex, into);
}

/// Input k's layout.count values one after the other, for an array conversion:
/// the input itself where it lies so in memory (float64 in C order, aligned, not
/// broadcast), otherwise `scratch` (room for layout.count values, such as an
/// output array the conversion may write in place) filled with them.
const double* Values(const Layout& layout, std::size_t k, double* scratch);

/// `value` as a finite number; ValueError naming it otherwise.
double FiniteNumber(const char* name, py::handle value);

/// `value` as a sequence of exactly N finite numbers; ValueError naming it and
/// `what` (such as "(x, y) in metres") otherwise.
template <std::size_t N>
std::array<double, N> FiniteNumbers(const char* name, py::handle value, const char* what);

/// `value` as a text without zero characters; ValueError naming it otherwise.
std::string Text(const char* name, py::handle value);

} // namespace geoframe::python

#endif
