#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace dorvane {

// The outcome of a fallible operation: a value, or the reason it could not be made.
template <typename T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    static Result Failure(std::string reason) { return Result(std::move(reason), 0); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { assert(ok()); return *value_; }
    T& value() { assert(ok()); return *value_; }
    T take() { assert(ok()); return std::move(*value_); }
    const std::string& error() const { return error_; }

private:
    Result(std::string reason, int) : error_(std::move(reason)) {}
    std::optional<T> value_;
    std::string error_;
};

// The outcome of a fallible operation that has no value to give.
class Status {
public:
    static Status Ok() { return Status(); }
    static Status Failure(std::string reason) { Status s; s.ok_ = false; s.error_ = std::move(reason); return s; }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    const std::string& error() const { return error_; }

private:
    bool ok_ = true;
    std::string error_;
};

} // namespace dorvane
