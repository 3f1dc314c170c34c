// The one error that ends a conversion.
#ifndef PIMORU_HANGUL_CONVERSION_ERROR_H_
#define PIMORU_HANGUL_CONVERSION_ERROR_H_

#include <stdexcept>

namespace pimoru {

// Raised by what a conversion reads or writes (a word list that cannot be
// read, a bad number, a report that cannot be written). The message is
// UTF-8 and names what went wrong: the file, and where it applies the line
// number and the field.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace pimoru

#endif  // PIMORU_HANGUL_CONVERSION_ERROR_H_
