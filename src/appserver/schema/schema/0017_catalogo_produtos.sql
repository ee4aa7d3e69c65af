-- The product catalogue: brands and fiscal classification of the products, each branch's catalogue, stock lots,
-- the lots of received NF-e items, the products of each service code, the labels and audits of posting items,
-- and the branch's fiscal-control and purchase-authorization pilot switches.

CREATE TABLE MARCA (
    CDMARCA VARCHAR(5)  NOT NULL PRIMARY KEY,
    NMMARCA VARCHAR(40) NOT NULL
);

-- CDNCM: the 8-digit Mercosur classification the NF-e items carry.
ALTER TABLE PRODUTO ADD COLUMN CDNCM VARCHAR(8);
ALTER TABLE PRODUTO ADD COLUMN CDMARCA VARCHAR(5) REFERENCES MARCA (CDMARCA);

-- What a branch may buy and how it keeps it: active or not, blocked for purchase, stock-controlled there,
-- controlled by lot, and the warehouse and location its receipts are proposed into.
CREATE TABLE PRODUTOFILIAL (
    CDFILIAL      VARCHAR(4)  NOT NULL REFERENCES FILIAL (CDFILIAL),
    CDPRODUTO     VARCHAR(10) NOT NULL REFERENCES PRODUTO (CDPRODUTO),
    IDATIVO       VARCHAR(1)  DEFAULT 'S' NOT NULL CHECK (IDATIVO IN ('S', 'N')),
    CDALMOXARIFE  VARCHAR(6),
    CDLOCALESTOQ  VARCHAR(6),
    IDCTRLESTOQUE VARCHAR(1)  DEFAULT 'S' NOT NULL CHECK (IDCTRLESTOQUE IN ('S', 'N')),
    IDUTCTRLLOTE  VARCHAR(1)  DEFAULT 'N' NOT NULL CHECK (IDUTCTRLLOTE IN ('S', 'N')),
    IDBLOQCOMPRA  VARCHAR(1)  DEFAULT 'N' NOT NULL CHECK (IDBLOQCOMPRA IN ('S', 'N')),
    PRIMARY KEY (CDFILIAL, CDPRODUTO),
    FOREIGN KEY (CDFILIAL, CDALMOXARIFE) REFERENCES ALMOXARIFADO (CDFILIAL, CDALMOXARIFE),
    FOREIGN KEY (CDFILIAL, CDALMOXARIFE, CDLOCALESTOQ)
        REFERENCES LOCALESTOQUE (CDFILIAL, CDALMOXARIFE, CDLOCALESTOQ)
);

-- The lots of a stock product at a branch; typed lots are checked against them.
CREATE TABLE LOTEESTOQUE (
    CDFILIAL     VARCHAR(4)  NOT NULL REFERENCES FILIAL (CDFILIAL),
    CDPRODESTO   VARCHAR(10) NOT NULL REFERENCES PRODUTO (CDPRODUTO),
    NRLOTEESTQ   VARCHAR(20) NOT NULL,
    NRSUBLOTE    VARCHAR(4)  NOT NULL,
    DTFABRICACAO DATE,
    DTVALIDADE   DATE,
    PRIMARY KEY (CDFILIAL, CDPRODESTO, NRLOTEESTQ, NRSUBLOTE)
);

-- The lot each item of a received NF-e declares, by the document's access key and the item's sequence.
CREATE TABLE NFEITEMLOTE (
    NRACESSONFE   VARCHAR(44) NOT NULL,
    NRSEQITPROD   VARCHAR(4)  NOT NULL,
    NRLOTEPRODXML VARCHAR(20) NOT NULL,
    DTFABPRODXML  DATE,
    DTVALPRODXML  DATE,
    PRIMARY KEY (NRACESSONFE, NRSEQITPROD)
);

-- The products a service code may be posted with.
CREATE TABLE PRODSERVICO (
    CDSERVICOPROD VARCHAR(30) NOT NULL REFERENCES SERVICOPROD (CDSERVICOPROD),
    CDPRODUTO     VARCHAR(10) NOT NULL REFERENCES PRODUTO (CDPRODUTO),
    PRIMARY KEY (CDSERVICOPROD, CDPRODUTO)
);

-- The labels printed for a posting's items: 'A' still available, 'U' already used on the goods.
CREATE TABLE ETIQPRODUTO (
    CDFILIAL     VARCHAR(4)  NOT NULL,
    NRLANCTONF   VARCHAR(10) NOT NULL,
    NRSEQITPROD  VARCHAR(4)  NOT NULL,
    NRETIQUETA   VARCHAR(10) NOT NULL,
    IDSTATUSETIQ VARCHAR(1)  DEFAULT 'A' NOT NULL CHECK (IDSTATUSETIQ IN ('A', 'U')),
    PRIMARY KEY (CDFILIAL, NRLANCTONF, NRSEQITPROD, NRETIQUETA),
    FOREIGN KEY (CDFILIAL, NRLANCTONF) REFERENCES NOTAFISCAL (CDFILIAL, NRLANCTONF)
);

-- Audits made of a posting's items; an audited item may no longer be deleted.
CREATE TABLE AUDITITEMNF (
    CDFILIAL    VARCHAR(4)   NOT NULL,
    NRLANCTONF  VARCHAR(10)  NOT NULL,
    NRSEQITPROD VARCHAR(4)   NOT NULL,
    DTAUDITORIA TIMESTAMP    NOT NULL,
    CDOPERADOR  VARCHAR(12)  NOT NULL,
    DSAUDITORIA VARCHAR(255) NOT NULL,
    PRIMARY KEY (CDFILIAL, NRLANCTONF, NRSEQITPROD, DTAUDITORIA),
    FOREIGN KEY (CDFILIAL, NRLANCTONF) REFERENCES NOTAFISCAL (CDFILIAL, NRLANCTONF)
);

-- The branch's switches live with the branch rather than with the module's parameters, whose whole row the
-- parameter load hands to the client: 'S' when the branch keeps fiscal control of its entries (CST and CFOP
-- required per item), and when it takes part in the pilot of authorizations delivered to a destination
-- warehouse.
ALTER TABLE FILIAL ADD COLUMN IDUTCTRLFISC VARCHAR(1) DEFAULT 'N';
ALTER TABLE FILIAL ADD COLUMN IDUTAFPILOTO VARCHAR(1) DEFAULT 'N';

-- The last purchase of a stock product is looked up by the product.
CREATE INDEX IX_ITEMPRODUTO_ESTOQUE ON ITEMPRODUTO (CDPRODESTO);
