/*
 * Keyed singly linked lists of the driver: a header {count, head} and 16-byte nodes
 * {key, subkey, next, data}. Nodes are pushed at the head, so iteration from the head
 * runs from the newest node to the oldest; an insertion index counts the other way
 * (index 0 is the oldest node). The data blocks are never owned by the list.
 */
#ifndef QM_CORE_NODELIST_NODELIST_H
#define QM_CORE_NODELIST_NODELIST_H

#include <windows.h>
#include "platform/include/qm_layout.h"

/* A query subkey that matches any subkey. */
#define UI_ANY_SUBKEY 0xFFFF

typedef struct ListNode {
    LONG key;
    LONG subkey;
    struct ListNode *next;
    void *data;
} ListNode;

typedef struct NodeList {
    LONG count;
    ListNode *head;
} NodeList;

static_assert(sizeof(ListNode) == QM_LAYOUT(16, 24), "ListNode");
static_assert(sizeof(NodeList) == QM_LAYOUT(8, 16), "NodeList");

/*
 * ui_AddNode: pushes a new node {key, subkey, data} at the head and adds 1 to the count.
 * list, data: in. Returns 1, or 0 for a null list or data or when no node can be allocated.
 */
int ui_AddNode(NodeList *list, LONG key, LONG subkey, void *data);

/* ui_CreateNodeList: a new empty list from the global heap, or NULL when out of memory. */
NodeList *ui_CreateNodeList(void);

/*
 * ui_DestroyNodeList: frees every node and the list and clears *list; data blocks are
 * not freed. list: in/out. Returns 1, or 0 for a null pointer.
 */
int ui_DestroyNodeList(NodeList **list);

/*
 * ui_FindNodeData: the data of the first node from the head with this key whose subkey
 * equals subkey (UI_ANY_SUBKEY matches any). Returns NULL for a null list or no match.
 */
void *ui_FindNodeData(const NodeList *list, LONG key, LONG subkey);

/* ui_FreeMemory: returns a global-heap block. Returns 1, or 0 for a null pointer. */
int ui_FreeMemory(void *block);

/*
 * ui_GetFirstNodeData: starts an iteration: the head's data, and the head's successor in
 * *next. Returns NULL for a null or empty list (*next is then not written).
 */
void *ui_GetFirstNodeData(const NodeList *list, ListNode **next);

/*
 * ui_GetNextNodeData: the data of node and its successor in *next; NULL for a null node
 * (the end of an iteration; *next is then not written).
 */
void *ui_GetNextNodeData(ListNode *node, ListNode **next);

/* ui_GetNodeCount: the count, or -1 for a null list. */
LONG ui_GetNodeCount(const NodeList *list);

/* ui_GetNodeDataAt: the data of the node at insertion index index, NULL outside 0..count-1. */
void *ui_GetNodeDataAt(const NodeList *list, LONG index);

/*
 * ui_InsertNodeAt: a new node that takes insertion index index (0..count-1); the nodes
 * from that index on move up by one. Returns 1, or 0 for a null list or data, an index out
 * of range or no memory.
 */
int ui_InsertNodeAt(NodeList *list, LONG index, LONG key, LONG subkey, void *data);

/*
 * ui_RemoveNode: unlinks and frees the first node from the head matching key and subkey
 * (UI_ANY_SUBKEY matches any); the data is not freed. Returns 1, or 0 when nothing matched.
 */
int ui_RemoveNode(NodeList *list, LONG key, LONG subkey);

/* ui_RemoveNodeAt: unlinks and frees the node at insertion index index. Returns 1/0. */
int ui_RemoveNodeAt(NodeList *list, LONG index);

#endif /* QM_CORE_NODELIST_NODELIST_H */
