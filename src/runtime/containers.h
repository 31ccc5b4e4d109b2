// Growable arrays whose element kind decides who frees what. Each keeps only
// {length, slot array}: the length is the number of slots, with no spare
// capacity, and the slot array comes from MemoryManager (null at length 0).
//   cARRAY_MEMORY<T>          slots own MemoryManager blocks (T*)
//   cARRAY_STRUCTURE<T>       plain records stored inline
//   cARRAY_CLASS<T>           slots own objects deleted through their virtual destructor
//   cARRAY_CLASS_NO_DELETE<T> slots point at objects owned elsewhere
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "runtime/fatal.h"
#include "runtime/memory.h"

namespace containers_detail {

// Resizes a slot array to n elements through MemoryManager;
// added elements are zero.
template <typename T>
void Resize(T** array, int32_t n) {
  if (n < 0) Fatal_InternalError("array length %d is negative", n);
  MemoryManager::SetLength(array, static_cast<size_t>(n) * sizeof(T), __FILE__, __LINE__);
}

}  // namespace containers_detail

template <typename T>
class cARRAY_MEMORY {
 public:
  cARRAY_MEMORY() = default;
  cARRAY_MEMORY(const cARRAY_MEMORY&) = delete;
  cARRAY_MEMORY& operator=(const cARRAY_MEMORY&) = delete;
  ~cARRAY_MEMORY() { SetLength(0); }

  // Shrinking drops the cut-off slots without freeing their blocks: a caller
  // that shrinks frees them first. Length 0 frees every block.
  void SetLength(int32_t n) {
    if (n == 0) {
      for (int32_t i = 0; i < length; ++i) MemoryManager::Free(array[i]);
    }
    containers_detail::Resize(&array, n);
    length = n;
  }
  T*& operator[](int32_t i) { return array[i]; }
  T* const& operator[](int32_t i) const { return array[i]; }

  int32_t length = 0;
  T** array = nullptr;
};

template <typename T>
class cARRAY_STRUCTURE {
  static_assert(std::is_trivially_copyable_v<T>, "records are moved as bytes");

 public:
  cARRAY_STRUCTURE() = default;
  cARRAY_STRUCTURE(const cARRAY_STRUCTURE&) = delete;
  cARRAY_STRUCTURE& operator=(const cARRAY_STRUCTURE&) = delete;
  ~cARRAY_STRUCTURE() { SetLength(0); }

  void SetLength(int32_t n) {
    containers_detail::Resize(&array, n);
    length = n;
  }
  T& operator[](int32_t i) { return array[i]; }
  const T& operator[](int32_t i) const { return array[i]; }

  int32_t length = 0;
  T* array = nullptr;
};

template <typename T>
class cARRAY_CLASS {
 public:
  cARRAY_CLASS() = default;
  cARRAY_CLASS(const cARRAY_CLASS&) = delete;
  cARRAY_CLASS& operator=(const cARRAY_CLASS&) = delete;
  ~cARRAY_CLASS() { SetLength(0); }

  // Length 0 deletes every element; any other length only resizes the slots,
  // so a caller that shrinks deletes the cut-off elements first.
  void SetLength(int32_t n) {
    static_assert(std::has_virtual_destructor_v<T>, "elements are deleted through their base");
    if (n == length) return;
    if (n == 0) {
      for (int32_t i = 0; i < length; ++i) {
        T* element = array[i];
        array[i] = nullptr;
        delete element;
      }
    }
    containers_detail::Resize(&array, n);
    length = n;
  }
  T*& operator[](int32_t i) { return array[i]; }
  T* const& operator[](int32_t i) const { return array[i]; }

  int32_t length = 0;
  T** array = nullptr;
};

template <typename T>
class cARRAY_CLASS_NO_DELETE {
 public:
  cARRAY_CLASS_NO_DELETE() = default;
  cARRAY_CLASS_NO_DELETE(const cARRAY_CLASS_NO_DELETE&) = delete;
  cARRAY_CLASS_NO_DELETE& operator=(const cARRAY_CLASS_NO_DELETE&) = delete;
  ~cARRAY_CLASS_NO_DELETE() { Release(); }

  void SetLength(int32_t n) {
    containers_detail::Resize(&array, n);
    length = n;
  }
  // Forgets every element and frees the slots; the elements live on.
  void Release() {
    for (int32_t i = 0; i < length; ++i) array[i] = nullptr;
    SetLength(0);
  }
  T*& operator[](int32_t i) { return array[i]; }
  T* const& operator[](int32_t i) const { return array[i]; }

  int32_t length = 0;
  T** array = nullptr;
};
