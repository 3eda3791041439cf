// The recursion's stack of pending rectangles, owned by the view.

#include "platform/files/exceptions.h"
#include "view/quirl32_view.h"

#include <new>

void CQuirl32View::PushRect(int left, int top, int right, int bottom) {
    RectNode* node = new (std::nothrow) RectNode;
    if (node == nullptr)
        throw CMemoryException();
    node->left = left;
    node->right = right;
    node->top = top;
    node->bottom = bottom;
    node->next = m_pRectStack;
    m_pRectStack = node;
}

void CQuirl32View::PopRect(int& left, int& top, int& right, int& bottom) {
    RectNode* node = m_pRectStack;
    left = node->left;
    top = node->top;
    right = node->right;
    bottom = node->bottom;
    m_pRectStack = node->next;
    delete node;
}

void CQuirl32View::ClearRects() {
    m_fill.active = false;
    int left, top, right, bottom;
    while (m_pRectStack != nullptr)
        PopRect(left, top, right, bottom);
}
