/*
 * Keyed node lists (nodelist.h). Chain position p counts from the head; with count n the
 * node at insertion index i sits at chain position n - 1 - i.
 */
#include "core/nodelist/nodelist.h"

static ListNode *list_NewNode(LONG key, LONG subkey, void *data);
static ListNode *list_NodeAtPosition(const NodeList *list, LONG position);
static int list_Matches(const ListNode *node, LONG key, LONG subkey);
static void list_Unlink(NodeList *list, ListNode *previous, ListNode *node);

/* A new zero-filled node holding key, subkey and data; NULL when out of memory. */
static ListNode *list_NewNode(LONG key, LONG subkey, void *data)
{
    ListNode *node = (ListNode *)GlobalAlloc(GPTR, sizeof(ListNode));
    if (node) {
        node->key = key;
        node->subkey = subkey;
        node->data = data;
    }
    return node;
}

/* The node at chain position position (0 = head), or NULL past the end. */
static ListNode *list_NodeAtPosition(const NodeList *list, LONG position)
{
    ListNode *node = list->head;
    while (node && position > 0) {
        node = node->next;
        --position;
    }
    return node;
}

/* 1 when node has this key and subkey (UI_ANY_SUBKEY matches any). */
static int list_Matches(const ListNode *node, LONG key, LONG subkey)
{
    return node->key == key && (subkey == UI_ANY_SUBKEY || node->subkey == subkey);
}

/* Unlinks node (previous = its predecessor or NULL for the head) and frees it. */
static void list_Unlink(NodeList *list, ListNode *previous, ListNode *node)
{
    if (previous) {
        previous->next = node->next;
    } else {
        list->head = node->next;
    }
    GlobalFree(node);
    --list->count;
}

int ui_AddNode(NodeList *list, LONG key, LONG subkey, void *data)
{
    if (!list || !data) {
        return 0;
    }
    ListNode *node = list_NewNode(key, subkey, data);
    if (!node) {
        return 0;
    }
    node->next = list->head;
    list->head = node;
    ++list->count;
    return 1;
}

NodeList *ui_CreateNodeList(void)
{
    return (NodeList *)GlobalAlloc(GPTR, sizeof(NodeList));
}

int ui_DestroyNodeList(NodeList **list)
{
    if (!list) {
        return 0;
    }
    if (*list) {
        ListNode *node = (*list)->head;
        while (node) {
            ListNode *next = node->next;
            GlobalFree(node);
            node = next;
        }
        GlobalFree(*list);
        *list = NULL;
    }
    return 1;
}

void *ui_FindNodeData(const NodeList *list, LONG key, LONG subkey)
{
    if (!list) {
        return NULL;
    }
    for (ListNode *node = list->head; node; node = node->next) {
        if (list_Matches(node, key, subkey)) {
            return node->data;
        }
    }
    return NULL;
}

int ui_FreeMemory(void *block)
{
    if (!block) {
        return 0;
    }
    GlobalFree(block);
    return 1;
}

void *ui_GetFirstNodeData(const NodeList *list, ListNode **next)
{
    if (!list || !list->head) {
        return NULL;
    }
    if (next) {
        *next = list->head->next;
    }
    return list->head->data;
}

void *ui_GetNextNodeData(ListNode *node, ListNode **next)
{
    if (!node) {
        return NULL;
    }
    if (next) {
        *next = node->next;
    }
    return node->data;
}

LONG ui_GetNodeCount(const NodeList *list)
{
    return list ? list->count : -1;
}

void *ui_GetNodeDataAt(const NodeList *list, LONG index)
{
    if (!list || index < 0 || index >= list->count) {
        return NULL;
    }
    ListNode *node = list_NodeAtPosition(list, list->count - 1 - index);
    return node ? node->data : NULL;
}

int ui_InsertNodeAt(NodeList *list, LONG index, LONG key, LONG subkey, void *data)
{
    if (!list || !data || index < 0 || index >= list->count) {
        return 0;
    }
    ListNode *behind = list_NodeAtPosition(list, list->count - 1 - index);
    if (!behind) {
        return 0;
    }
    ListNode *node = list_NewNode(key, subkey, data);
    if (!node) {
        return 0;
    }
    node->next = behind->next;
    behind->next = node;
    ++list->count;
    return 1;
}

int ui_RemoveNode(NodeList *list, LONG key, LONG subkey)
{
    if (!list) {
        return 0;
    }
    ListNode *previous = NULL;
    for (ListNode *node = list->head; node; previous = node, node = node->next) {
        if (list_Matches(node, key, subkey)) {
            list_Unlink(list, previous, node);
            return 1;
        }
    }
    return 0;
}

int ui_RemoveNodeAt(NodeList *list, LONG index)
{
    if (!list || index < 0 || index >= list->count) {
        return 0;
    }
    LONG position = list->count - 1 - index;
    ListNode *previous = position > 0 ? list_NodeAtPosition(list, position - 1) : NULL;
    ListNode *node = previous ? previous->next : list->head;
    if (!node) {
        return 0;
    }
    list_Unlink(list, previous, node);
    return 1;
}
