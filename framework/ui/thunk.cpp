// Pooled executable memory for window-procedure thunks.
#include "framework/ui/thunk.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "framework/core/exception.h"

namespace {

// A slot holds "mov ecx, imm32; jmp rel32" (10 bytes) padded to 16.
constexpr size_t kSlotSize = 16;
constexpr size_t kPageSize = 4096;
// The first slot of every page holds the page header.
constexpr size_t kSlotsPerPage = kPageSize / kSlotSize - 1;

struct PageHeader {
    PageHeader* next;
    PageHeader* prev;
    unsigned char* freeList; // singly linked through the first 4 bytes of each free slot
    uint32_t used;
};
static_assert(sizeof(PageHeader) <= kSlotSize);

struct Pool {
    CRITICAL_SECTION lock;
    PageHeader* pages = nullptr;
    int live = 0;
    int pageCount = 0;
    Pool() { InitializeCriticalSection(&lock); }
};

// Function-local so that thunks made during static initialisation find it ready.
Pool& ThePool() {
    static Pool pool;
    return pool;
}

struct Locked {
    Pool& pool;
    explicit Locked(Pool& p) : pool(p) { EnterCriticalSection(&pool.lock); }
    ~Locked() { LeaveCriticalSection(&pool.lock); }
};

// Maps a fresh page and threads all its slots on the free list.
PageHeader* NewPage(Pool& pool) {
    void* mem = VirtualAlloc(nullptr, kPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_EXECUTE_READWRITE);
    if (!mem)
        throw EOutOfMemory(L"Out of memory for window procedure thunks");
    auto* page = static_cast<PageHeader*>(mem);
    auto* base = static_cast<unsigned char*>(mem);
    page->freeList = nullptr;
    for (size_t i = kSlotsPerPage; i >= 1; --i) {
        unsigned char* slot = base + i * kSlotSize;
        std::memcpy(slot, &page->freeList, sizeof(void*));
        page->freeList = slot;
    }
    page->used = 0;
    page->prev = nullptr;
    page->next = pool.pages;
    if (pool.pages)
        pool.pages->prev = page;
    pool.pages = page;
    ++pool.pageCount;
    return page;
}

// Takes one free slot, mapping a new page when all are full.
unsigned char* AllocSlot() {
    Pool& pool = ThePool();
    Locked guard(pool);
    PageHeader* page = pool.pages;
    while (page && !page->freeList)
        page = page->next;
    if (!page)
        page = NewPage(pool);
    unsigned char* slot = page->freeList;
    std::memcpy(&page->freeList, slot, sizeof(void*));
    ++page->used;
    ++pool.live;
    return slot;
}

// Returns a slot; a page left empty goes back to the system.
void FreeSlot(unsigned char* slot) {
    Pool& pool = ThePool();
    Locked guard(pool);
    auto* page =
        reinterpret_cast<PageHeader*>(reinterpret_cast<uintptr_t>(slot) & ~(kPageSize - 1));
    std::memset(slot, 0xCC, kSlotSize); // int3: a stale call traps instead of running garbage
    std::memcpy(slot, &page->freeList, sizeof(void*));
    page->freeList = slot;
    --pool.live;
    if (--page->used == 0) {
        if (page->prev)
            page->prev->next = page->next;
        else
            pool.pages = page->next;
        if (page->next)
            page->next->prev = page->prev;
        --pool.pageCount;
        VirtualFree(page, 0, MEM_RELEASE);
    }
}

// Writes "mov ecx, self; jmp target" into a slot.
void WriteCode(unsigned char* code, void* self, TThunkTarget target) {
    uint32_t selfValue = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(self));
    int32_t rel = static_cast<int32_t>(reinterpret_cast<intptr_t>(reinterpret_cast<void*>(target)) -
                                       reinterpret_cast<intptr_t>(code + 10));
    code[0] = 0xB9; // mov ecx, imm32
    std::memcpy(code + 1, &selfValue, 4);
    code[5] = 0xE9; // jmp rel32
    std::memcpy(code + 6, &rel, 4);
    FlushInstructionCache(GetCurrentProcess(), code, kSlotSize);
}

} // namespace

TWndProcThunk::TWndProcThunk(void* self, TThunkTarget target) : code_(AllocSlot()) {
    WriteCode(code_, self, target);
}

TWndProcThunk::~TWndProcThunk() {
    FreeSlot(code_);
}

void TWndProcThunk::Retarget(void* self, TThunkTarget target) {
    WriteCode(code_, self, target);
}

int TWndProcThunk::LiveCount() {
    Locked guard(ThePool());
    return ThePool().live;
}

int TWndProcThunk::PageCount() {
    Locked guard(ThePool());
    return ThePool().pageCount;
}
