#include "Arrays.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace geoframe::python {

namespace {

using Float64 = py::array_t<double, py::array::forcecast>;

std::string ShapeText(const py::array& array) {
    std::string text = "(";
    for (py::ssize_t d = 0; d < array.ndim(); ++d)
        text += (d ? ", " : "") + std::to_string(array.shape(d));
    return text + (array.ndim() == 1 ? ",)" : ")");
}

/// Numpy's reason for not reading `value` as float64 numbers.
std::string WhyNotNumbers(py::handle value) {
    try {
        py::module_::import("numpy").attr("asarray")(value, "float64");
    } catch (py::error_already_set& error) {
        return py::str(error.value()).cast<std::string>();
    }
    return "expected numbers";
}

} // namespace

void Refuse(const std::string& message) {
    throw py::value_error(message);
}

std::vector<py::array> OutputArrays(py::handle out, std::size_t m, const Layout& layout,
                                    bool& sharesInput) {
    std::vector<py::array> arrays;
    if (py::isinstance<py::array>(out))
        arrays.push_back(py::reinterpret_borrow<py::array>(out));
    else if (py::isinstance<py::tuple>(out) || py::isinstance<py::list>(out))
        for (py::handle item : out) {
            if (!py::isinstance<py::array>(item))
                Refuse("out: expected numpy arrays, got " +
                       py::str(py::type::of(item).attr("__name__")).cast<std::string>());
            arrays.push_back(py::reinterpret_borrow<py::array>(item));
        }
    std::string shape = "(";
    for (std::size_t d = 0; d < layout.shape.size(); ++d)
        shape += (d ? ", " : "") + std::to_string(layout.shape[d]);
    shape += layout.shape.size() == 1 ? ",)" : ")";
    const std::string wanted =
        std::to_string(m) + " writable C-contiguous float64 arrays of shape " + shape;
    if (arrays.size() != m)
        Refuse("out: expected " + wanted);
    const py::object mayShare = py::module_::import("numpy").attr("may_share_memory");
    sharesInput = false;
    for (std::size_t i = 0; i < m; ++i) {
        const py::array& a = arrays[i];
        const bool fits = a.dtype().is(py::dtype::of<double>()) && a.writeable() &&
                          (a.flags() & py::array::c_style) &&
                          a.ndim() == static_cast<py::ssize_t>(layout.shape.size()) &&
                          std::equal(layout.shape.begin(), layout.shape.end(), a.shape());
        if (!fits)
            Refuse("out: expected " + wanted + ", got a " + (a.writeable() ? "" : "read-only ") +
                   (a.flags() & py::array::c_style ? "" : "non-contiguous ") +
                   a.dtype().attr("name").cast<std::string>() + " array of shape " + ShapeText(a));
        for (std::size_t j = 0; j < i; ++j)
            if (mayShare(a, arrays[j]).cast<bool>())
                Refuse("out: the output arrays overlap");
        for (const py::array& input : layout.arrays)
            sharesInput = sharesInput || mayShare(a, input).cast<bool>();
    }
    return arrays;
}

Layout Broadcast(const Input* inputs, std::size_t count) {
    Layout layout;
    std::size_t ndim = 0;
    for (std::size_t k = 0; k < count; ++k) {
        // None is no number: numpy would read it as NaN.
        if (inputs[k].value.is_none())
            throw py::type_error(std::string(inputs[k].name) +
                                 ": expected a number or an array of numbers, got None");
        Float64 array = Float64::ensure(inputs[k].value);
        if (!array)
            Refuse(std::string(inputs[k].name) + ": " + WhyNotNumbers(inputs[k].value));
        ndim = std::max<std::size_t>(ndim, array.ndim());
        layout.scalar = layout.scalar && array.ndim() == 0;
        layout.data.push_back(reinterpret_cast<const char*>(array.data()));
        layout.arrays.push_back(std::move(array));
    }
    // Numpy's rule, from the last dimension: sizes agree or are 1.
    layout.shape.assign(ndim, 1);
    std::vector<std::size_t> setBy(ndim, count);
    for (std::size_t k = 0; k < count; ++k) {
        const py::array& array = layout.arrays[k];
        const std::size_t offset = ndim - array.ndim();
        for (py::ssize_t d = 0; d < array.ndim(); ++d) {
            const py::ssize_t size = array.shape(d);
            py::ssize_t& target = layout.shape[offset + d];
            if (size == 1 || size == target)
                continue;
            if (target != 1)
                Refuse(std::string(inputs[setBy[offset + d]].name) + " and " + inputs[k].name +
                       ": shapes " + ShapeText(layout.arrays[setBy[offset + d]]) + " and " +
                       ShapeText(array) + " do not broadcast together");
            target = size;
            setBy[offset + d] = k;
        }
    }
    for (py::ssize_t size : layout.shape)
        layout.count *= size;
    for (std::size_t k = 0; k < count; ++k) {
        const py::array& array = layout.arrays[k];
        const std::size_t offset = ndim - array.ndim();
        std::vector<py::ssize_t> strides(ndim, 0);
        for (py::ssize_t d = 0; d < array.ndim(); ++d)
            if (array.shape(d) != 1)
                strides[offset + d] = array.strides(d);
        layout.strides.push_back(std::move(strides));
    }
    return layout;
}

const double* Values(const Layout& layout, std::size_t k, double* scratch) {
    const char* data = layout.data[k];
    bool contiguous = reinterpret_cast<std::uintptr_t>(data) % alignof(double) == 0;
    py::ssize_t stride = sizeof(double);
    for (std::size_t d = layout.shape.size(); d-- > 0;) {
        if (layout.shape[d] != 1 && layout.strides[k][d] != stride)
            contiguous = false;
        stride *= layout.shape[d];
    }
    if (contiguous || layout.count == 0)
        return reinterpret_cast<const double*>(data);
    // Input k alone, laid out over the broadcast shape, gathered into scratch.
    Layout single;
    single.shape = layout.shape;
    single.strides = {layout.strides[k]};
    single.data = {data};
    single.count = layout.count;
    ForEachPoint<1>(single, [scratch](const double(&in)[1], py::ssize_t i) { scratch[i] = in[0]; });
    return scratch;
}

double FiniteNumber(const char* name, py::handle value) {
    double number = 0.0;
    try {
        number = py::cast<double>(value);
    } catch (const py::cast_error&) {
        Refuse(std::string(name) + ": expected a number, got " +
               py::str(py::type::of(value).attr("__name__")).cast<std::string>());
    }
    if (!std::isfinite(number))
        Refuse(std::string(name) + ": " + std::to_string(number) + " is not a finite number");
    return number;
}

template <std::size_t N>
std::array<double, N> FiniteNumbers(const char* name, py::handle value, const char* what) {
    std::array<double, N> numbers{};
    if (!py::isinstance<py::sequence>(value) || py::isinstance<py::str>(value) ||
        py::len(value) != N)
        Refuse(std::string(name) + ": expected " + what);
    const py::sequence items = py::reinterpret_borrow<py::sequence>(value);
    for (std::size_t i = 0; i < N; ++i)
        numbers[i] = FiniteNumber(name, items[i]);
    return numbers;
}

template std::array<double, 2> FiniteNumbers<2>(const char*, py::handle, const char*);
template std::array<double, 3> FiniteNumbers<3>(const char*, py::handle, const char*);

std::string Text(const char* name, py::handle value) {
    if (!py::isinstance<py::str>(value))
        Refuse(std::string(name) + ": expected a text");
    std::string text = value.cast<std::string>();
    if (text.find('\0') != std::string::npos)
        Refuse(std::string(name) + ": the text holds a zero character");
    return text;
}

} // namespace geoframe::python
