#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace quadrivium {

/// The outcome of a store operation that can fail in an expected way
/// (missing file, wrong password, a name too long): either a value or the
/// message to show the user.
template<typename T>
class Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    static Result failure(QString message) { return Result(Error{std::move(message)}); }

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }
    /// The value; only valid when ok().
    const T &value() const { return std::get<T>(m_state); }
    T &value() { return std::get<T>(m_state); }
    const T *operator->() const { return &value(); }
    const T &operator*() const { return value(); }
    /// The message; empty when ok().
    QString error() const { return ok() ? QString() : std::get<Error>(m_state).message; }

private:
    struct Error {
        QString message;
    };
    explicit Result(Error error) : m_state(std::move(error)) {}
    std::variant<T, Error> m_state;
};

/// The value of a successful operation that yields nothing.
struct Done {};
using Status = Result<Done>;

} // namespace quadrivium
