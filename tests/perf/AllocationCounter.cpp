#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

// Single-threaded, and plain globals only: these functions run before any
// static constructor and must not allocate themselves.
namespace {
bool counting = false;
allocations::Counts counted;

void* allocate(std::size_t size)
{
    if (counting)
        ++counted.operatorNew;
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void* allocateAligned(std::size_t size, std::align_val_t alignment)
{
    if (counting)
        ++counted.operatorNew;
    const auto align = static_cast<std::size_t>(alignment);
    // aligned_alloc wants a multiple of the alignment.
    const std::size_t rounded = (size + align - 1) / align * align;
    if (void* block = std::aligned_alloc(align, rounded == 0 ? align : rounded))
        return block;
    throw std::bad_alloc();
}
}  // namespace

#if defined(__SANITIZE_ADDRESS__)
#define COUNT_MALLOC 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define COUNT_MALLOC 0
#endif
#endif
#ifndef COUNT_MALLOC
#define COUNT_MALLOC 1
#endif

#if COUNT_MALLOC
// glibc's own allocator under its internal names: the replacements count and
// hand on, so every block still comes from and goes back to the same heap.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);

void* malloc(std::size_t size)
{
    if (counting)
        ++counted.malloc;
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size)
{
    if (counting)
        ++counted.malloc;
    return __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size)
{
    if (counting)
        ++counted.malloc;
    return __libc_realloc(block, size);
}
void free(void* block)
{
    __libc_free(block);
}
}
#endif

void* operator new(std::size_t size)
{
    return allocate(size);
}
void* operator new[](std::size_t size)
{
    return allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return operator new(size, std::nothrow);
}
void* operator new(std::size_t size, std::align_val_t alignment)
{
    return allocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return allocateAligned(size, alignment);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete[](void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::align_val_t) noexcept
{
    std::free(block);
}
void operator delete[](void* block, std::align_val_t) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept
{
    std::free(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept
{
    std::free(block);
}

namespace allocations {

bool countsMalloc()
{
    return COUNT_MALLOC != 0;
}

void start()
{
    counted = Counts();
    counting = true;
}

Counts stop()
{
    counting = false;
    return counted;
}

}  // namespace allocations
