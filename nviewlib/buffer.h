#pragma once
// Memory the library owns, taken from malloc. NviewLib is built without C++ exceptions (their
// runtime would bring the posix thread runtime into every load of the DLL), so running out of
// memory is a false result here, never a throw.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <type_traits>
#include <utility>

namespace dhsu::nviewlib {

struct FreeMemory {
    void operator()(void* memory) const { std::free(memory); }
};

template <typename Element>
class Buffer {
    static_assert(std::is_trivially_copyable_v<Element>);

  public:
    constexpr Buffer() = default;
    Buffer(Buffer&& other) noexcept
        : elements_(std::move(other.elements_)),
          size_(std::exchange(other.size_, 0)),
          capacity_(std::exchange(other.capacity_, 0)) {}
    Buffer& operator=(Buffer&& other) noexcept {
        elements_ = std::move(other.elements_);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        return *this;
    }

    // Sizes the buffer for elements about to be overwritten: memory it holds is reused without
    // copying what it held. False, leaving it empty, when memory runs out.
    bool Resize(std::size_t size) {
        if (size > capacity_) {
            elements_.reset();
            size_ = capacity_ = 0;
            if (size > SIZE_MAX / sizeof(Element)) return false;
            elements_.reset(static_cast<Element*>(std::malloc(size * sizeof(Element))));
            if (!elements_) return false;
            capacity_ = size;
        }
        size_ = size;
        return true;
    }

    Element* data() { return elements_.get(); }
    const Element* data() const { return elements_.get(); }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    Element& operator[](std::size_t index) { return elements_.get()[index]; }
    const Element& operator[](std::size_t index) const { return elements_.get()[index]; }

  private:
    std::unique_ptr<Element, FreeMemory> elements_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

using ByteBuffer = Buffer<std::uint8_t>;

}  // namespace dhsu::nviewlib
