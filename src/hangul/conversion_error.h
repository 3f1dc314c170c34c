// The one error that ends a conversion.
#ifndef PIMORU_HANGUL_CONVERSION_ERROR_H_
#define PIMORU_HANGUL_CONVERSION_ERROR_H_

#include <stdexcept>
#include <string>

namespace pimoru {

// Raised by what a conversion reads or writes (a word list that cannot be
// read, a bad number, a report that cannot be written). The message is
// UTF-8 and names what went wrong: the file, and where it applies the line
// number and the field.
class ConversionError : public std::runtime_error {
 public:
  // What went wrong, where whoever catches the error treats kinds apart.
  enum class Kind {
    kOther,
    // A word list, or the folder of the lists, could not be read or
    // built: every conversion that needs it ends with the same error.
    kUnreadableWordList,
  };

  explicit ConversionError(const std::string& message, Kind kind = Kind::kOther)
      : std::runtime_error(message), kind_(kind) {}

  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_CONVERSION_ERROR_H_
